#include "platform/WebBrowser.h"

#include <unistd.h>

#include <QAuthenticator>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineCertificateError>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <functional>
#include <memory>

#include "platform/DocumentHtml.h"

namespace platform {

void PreparerNavigateur() {
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

namespace {

// A page whose own dialogs the browser may silence, that opens the new
// windows it asks for in itself and tells of every main-frame navigation.
class Page : public QWebEnginePage {
public:
    Page(const bool& silent, std::function<void(const QUrl&)> avant, QObject* parent)
        : QWebEnginePage(parent), silent_(silent), avant_(std::move(avant)) {
        connect(this, &QWebEnginePage::authenticationRequired, this,
                [this](const QUrl&, QAuthenticator* a) {
                    // No log-in box: the request goes on without credentials.
                    if (silent_) *a = QAuthenticator();
                });
        connect(this, &QWebEnginePage::certificateError, this,
                [](const QWebEngineCertificateError& e) {
                    // Never asked: a page with a bad certificate is refused.
                    auto err = e;
                    err.rejectCertificate();
                });
        connect(this, &QWebEnginePage::featurePermissionRequested, this,
                [this](const QUrl& origin, Feature f) {
                    setFeaturePermission(origin, f, PermissionDeniedByUser);
                });
    }

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
    QStringList chooseFiles(FileSelectionMode mode, const QStringList& old,
                            const QStringList& types) override {
        return silent_ ? QStringList() : QWebEnginePage::chooseFiles(mode, old, types);
    }
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
        if (isMainFrame) avant_(url);
        return true;
    }
    // The new window is this page: the link opens in the same view.
    QWebEnginePage* createWindow(WebWindowType) override { return this; }

private:
    const bool& silent_;
    std::function<void(const QUrl&)> avant_;
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
    view_->setPage(new Page(
        silent_, [this](const QUrl& u) { emit BeforeNavigate2(u.toString()); }, view_));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(view_);
    view_->setAccessibleName(QStringLiteral("Navigateur"));
    connect(view_, &QWebEngineView::loadStarted, this, [this] {
        busy_ = true;
        emit StatusTextChange(QStringLiteral("Ouverture de la page ") + view_->url().toString() +
                              QStringLiteral(" ..."));
    });
    connect(view_, &QWebEngineView::loadFinished, this, [this](bool ok) {
        busy_ = false;
        AnnoncerCommandes();
        emit StatusTextChange(ok ? QStringLiteral("Terminé")
                                 : QStringLiteral("La page n'a pas pu être affichée"));
        emit DocumentComplete(LocationURL());
    });
    connect(view_->page(), &QWebEnginePage::linkHovered, this,
            [this](const QString& url) { emit StatusTextChange(url); });
    connect(view_, &QWebEngineView::urlChanged, this, [this](const QUrl& u) {
        // A link followed from the French page ends its stand-in role.
        if (u.scheme() != QStringLiteral("data") && u != missing_) missing_.clear();
        AnnoncerCommandes();
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

void WebBrowser::GoBack() {
    view_->back();
}

void WebBrowser::GoForward() {
    view_->forward();
}

void WebBrowser::AnnoncerCommandes() {
    const bool back = view_->history()->canGoBack();
    const bool forward = view_->history()->canGoForward();
    if (back != back_) emit CommandStateChange(NavigateBack, back_ = back);
    if (forward != forward_) emit CommandStateChange(NavigateForward, forward_ = forward);
}

void WebBrowser::RunScript(const QString& script) {
    view_->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld);
}

QString WebBrowser::InnerHTML() {
    // The answer may come after the wait has given up: it then lands in a
    // state that outlives this call.
    struct Reponse {
        QString html;
        bool recue = false;
    };
    auto r = std::make_shared<Reponse>();
    QEventLoop boucle;
    QPointer<QEventLoop> garde(&boucle);
    view_->page()->runJavaScript(ScriptDocumentHtml(), QWebEngineScript::ApplicationWorld,
                                 [r, garde](const QVariant& v) {
                                     r->html = v.toString();
                                     r->recue = true;
                                     if (garde) garde->quit();
                                 });
    if (!r->recue) {
        QTimer::singleShot(15000, &boucle, &QEventLoop::quit);
        boucle.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return r->html;
}

QString WebBrowser::LocationName() const {
    return view_->title();
}

}  // namespace platform
