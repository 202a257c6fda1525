#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

#include "platform/Controls.h"

class QWebEngineView;

// An embedded web browser. Navigate takes an address or a plain file path;
// a local file that cannot be read shows a French page saying so, in place
// of a blank area. In silent mode the pages' own dialogs (alerts,
// confirmations, prompts) are answered without showing anything.
namespace platform {

class WebBrowser : public Twips<QWidget> {
    Q_OBJECT
public:
    explicit WebBrowser(QWidget* parent = nullptr);

    void Navigate(const QString& target);
    // The address of the page shown (or being loaded), as text.
    QString LocationURL() const;
    // The title of the page shown.
    QString LocationName() const;
    bool Busy() const { return busy_; }
    bool Silent() const { return silent_; }
    void SetSilent(bool s) { silent_ = s; }

    QWebEngineView* View() const { return view_; }

    // The address that Navigate gives to the engine for a target.
    static QUrl UrlOf(const QString& target);

signals:
    // The page has finished loading (also the page telling of a missing file).
    void DocumentComplete(const QString& url);

private:
    QWebEngineView* view_;
    bool silent_ = false;
    bool busy_ = false;
    // The local file that could not be read, while its French page is shown.
    QUrl missing_;
};

}  // namespace platform
