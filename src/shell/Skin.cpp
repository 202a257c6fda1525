#include "shell/Skin.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

static void InitSkinResources() {
    Q_INIT_RESOURCE(skin);
}

namespace Skin {

QPixmap Picture(const QString& name, QSize size) {
    static const bool init = (InitSkinResources(), true);
    (void)init;
    static QHash<QString, QPixmap> cache;
    const QString key =
        name + u'@' + QString::number(size.width()) + u'x' + QString::number(size.height());
    const auto it = cache.constFind(key);
    if (it != cache.constEnd()) return it.value();
    QPixmap out;
    const QString file = QStringLiteral(":/skin/") + name + QStringLiteral(".svg");
    if (QFile::exists(file)) {
        QSvgRenderer r(file);
        if (r.isValid()) {
            const QSize s = size.isEmpty() ? r.defaultSize() : size;
            QImage img(s, QImage::Format_ARGB32_Premultiplied);
            img.fill(Qt::transparent);
            QPainter p(&img);
            r.render(&p);
            p.end();
            out = QPixmap::fromImage(img);
        }
    }
    cache.insert(key, out);
    return out;
}

void Habiller(platform::PictureButton& b, const QString& stem) {
    const QSize s = b.size();
    b.PictureUp = Picture(stem + QStringLiteral("_normal"), s);
    b.PictureDn = Picture(stem + QStringLiteral("_pressed"), s);
    b.PictureHover = Picture(stem + QStringLiteral("_hover"), s);
    b.ShowPicture(b.PictureUp);
}

}  // namespace Skin
