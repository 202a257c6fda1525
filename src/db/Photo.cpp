#include "db/Photo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "platform/Database.h"
#include "platform/VbText.h"

namespace db {

QString PhotoInline(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size() * 4);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i > 0) out += u'#';
        out += QString::number(static_cast<unsigned char>(bytes[i]));
    }
    return out;
}

bool PhotoBytes(const QString& value, QByteArray* bytes) {
    QByteArray out;
    const QStringList parts = value.split(u'#');
    out.reserve(parts.size());
    for (const QString& p : parts) {
        bool ok = false;
        const uint b = p.toUInt(&ok);
        if (!ok || b > 255) return false;
        out.append(static_cast<char>(b));
    }
    if (bytes) *bytes = out;
    return true;
}

QByteArray PhotoShownBytes(const QString& value) {
    QByteArray out;
    out.reserve(value.size() / 3 + 1);
    for (const QStringView piece : QStringView(value).split(u'#')) {
        if (piece.isEmpty()) break;
        bool ok = false;
        const uint b = piece.toUInt(&ok);
        out.append(static_cast<char>(ok && b <= 255 ? b : 0));
    }
    return out;
}

PhotoKind PhotoKindOf(const QVariant& value) {
    if (value.isNull()) return PhotoKind::None;
    const QString s = value.toString();
    // A chosen picture is kept by its full path, and a file name may hold
    // a "#": such a value that names a file is that file. Inline values
    // begin with a digit, so they are never looked for on the disk.
    if (s.contains(u'#') && !(QDir::isAbsolutePath(s) && QFileInfo(s).isFile()))
        return PhotoKind::Inline;
    return platform::Trim(s).isEmpty() ? PhotoKind::None : PhotoKind::Path;
}

QString PhotoValue(const QString& path) {
    if (platform::Trim(path).isEmpty()) return QStringLiteral(" ");
    const QFileInfo info(path);
    if (info.isFile() && info.size() >= kPhotoInlineLimit) return path;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw platform::DbError(QStringLiteral("Le fichier « %1 » ne peut pas être lu.").arg(path));
    return PhotoInline(f.readAll());
}

}  // namespace db
