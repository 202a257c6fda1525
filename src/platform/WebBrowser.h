#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

#include "platform/Controls.h"

class QWebEngineView;

// An embedded web browser. Navigate takes an address or a plain file path;
// a local file that cannot be read shows a French page saying so, in place
// of a blank area. In silent mode the page shows no dialog of its own
// (alerts, confirmations, prompts, log-ins, certificate questions, file
// choosers). A link that asks for a new window opens in this same view.
namespace platform {

// Readies the browser's engine before the application object is made. Run
// as root, the engine refuses its sandbox and would end the program at the
// first page, so there it goes without one.
void PreparerNavigateur();

class WebBrowser : public Twips<QWidget> {
    Q_OBJECT
public:
    // Commands of CommandStateChange.
    enum Commande { NavigateForward = 1, NavigateBack = 2 };

    explicit WebBrowser(QWidget* parent = nullptr);

    void Navigate(const QString& target);
    void GoBack();
    void GoForward();
    // The address of the page shown (or being loaded), as text.
    QString LocationURL() const;
    // The title of the page shown.
    QString LocationName() const;
    bool Busy() const { return busy_; }
    bool Silent() const { return silent_; }
    void SetSilent(bool s) { silent_ = s; }

    // The markup inside the document's root element, in the form the
    // recipe reader knows (see DocumentHtml.h). Waits for the page's answer
    // (at most a few seconds); empty when the page gives none.
    QString InnerHTML();
    // Runs a script of ours in the page, without waiting for it.
    void RunScript(const QString& script);

    QWebEngineView* View() const { return view_; }

    // The address that Navigate gives to the engine for a target.
    static QUrl UrlOf(const QString& target);

signals:
    // A navigation of the main page is about to start.
    void BeforeNavigate2(const QString& url);
    // The page has finished loading (also the page telling of a missing file).
    void DocumentComplete(const QString& url);
    // Back (NavigateBack) or forward (NavigateForward) became possible or not.
    void CommandStateChange(int command, bool enable);
    // The text a status bar would show: the link under the pointer, the
    // state of the load.
    void StatusTextChange(const QString& text);

private:
    void AnnoncerCommandes();
    QWebEngineView* view_;
    bool silent_ = false;
    bool busy_ = false;
    bool back_ = false, forward_ = false;
    // The local file that could not be read, while its French page is shown.
    QUrl missing_;
};

}  // namespace platform
