#include "platform/WebBrowser.h"

#include <QFileInfo>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace platform {

namespace {

// A page whose own dialogs the browser may silence.
class Page : public QWebEnginePage {
public:
    Page(const bool& silent, QObject* parent) : QWebEnginePage(parent), silent_(silent) {}

protected:
    void javaScriptAlert(const QUrl& origin, const QString& msg) override {
        if (!silent_) QWebEnginePage::javaScriptAlert(origin, msg);
    }
    bool javaScriptConfirm(const QUrl& origin, const QString& msg) override {
        return silent_ ? false : QWebEnginePage::javaScriptConfirm(origin, msg);
    }
    bool javaScriptPrompt(const QUrl& origin, const QString& msg, const QString& def,
                          QString* result) override {
        return silent_ ? false : QWebEnginePage::javaScriptPrompt(origin, msg, def, result);
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& msg, int line,
                                  const QString& source) override {
        if (!silent_) QWebEnginePage::javaScriptConsoleMessage(level, msg, line, source);
    }

private:
    const bool& silent_;
};

QString Escaped(const QString& s) {
    return s.toHtmlEscaped();
}

QString MissingPage(const QString& path) {
    return QStringLiteral(
               "<!DOCTYPE html><html lang=\"fr\"><head><meta charset=\"utf-8\">"
               "<title>Page introuvable</title><style>"
               "body{font-family:Verdana,'DejaVu Sans',sans-serif;background:#1c1622;"
               "color:#f3e6c8;margin:40px}h1{font-size:18pt;color:#e8a14a}"
               "code{color:#ffffff}</style></head><body>"
               "<h1>Page introuvable</h1>"
               "<p>La page demandée n'a pas pu être lue :</p><p><code>%1</code></p>"
               "<p>Le fichier manque ou n'est pas lisible. Réinstaller le programme "
               "remet les pages à leur place.</p></body></html>")
        .arg(Escaped(path));
}

}  // namespace

WebBrowser::WebBrowser(QWidget* parent) : Twips<QWidget>(parent), view_(new QWebEngineView(this)) {
    view_->setPage(new Page(silent_, view_));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(view_);
    view_->setAccessibleName(QStringLiteral("Navigateur"));
    connect(view_, &QWebEngineView::loadStarted, this, [this] { busy_ = true; });
    connect(view_, &QWebEngineView::loadFinished, this, [this](bool) {
        busy_ = false;
        emit DocumentComplete(LocationURL());
    });
    connect(view_, &QWebEngineView::urlChanged, this, [this](const QUrl& u) {
        // A link followed from the French page ends its stand-in role.
        if (u.scheme() != QStringLiteral("data") && u != missing_) missing_.clear();
    });
}

QUrl WebBrowser::UrlOf(const QString& target) {
    if (QFileInfo(target).isAbsolute()) return QUrl::fromLocalFile(target);
    return QUrl::fromUserInput(target);
}

void WebBrowser::Navigate(const QString& target) {
    const QUrl url = UrlOf(target);
    if (url.isLocalFile()) {
        const QFileInfo file(url.toLocalFile());
        if (!file.isFile() || !file.isReadable()) {
            missing_ = url;
            busy_ = true;
            view_->setHtml(MissingPage(url.toLocalFile()));
            return;
        }
    }
    missing_.clear();
    busy_ = true;
    view_->load(url);
}

QString WebBrowser::LocationURL() const {
    if (!missing_.isEmpty()) return missing_.toString();
    return view_->url().toString();
}

QString WebBrowser::LocationName() const {
    return view_->title();
}

}  // namespace platform
