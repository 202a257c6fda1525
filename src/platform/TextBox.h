#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

#include "platform/Twips.h"

// The text box, on one line or on several. Change is raised for the user's
// edits only, never when the code sets the text; the text reads back as the
// box holds it, line ends as CR LF, and a one-line box keeps a text of any
// length.
namespace platform {

// A text box, on one line or on several (line ends shown as breaks, read
// back as CR LF). Change is raised for the user's edits only; Click for a
// click of the left button in it.
class TextBox : public Twips<QWidget> {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr, bool multiLine = false);
    bool MultiLine() const { return multi_ != nullptr; }
    QString Text() const;
    void SetText(const QString& s);
    bool Locked() const;
    void SetLocked(bool l);
    void SetMaxLength(int n);
    // The editor inside (tests type into it).
    QWidget* Editor() const;
    // What the user's typing does: replaces the text and raises Change.
    void TypeIt(const QString& s);
    // What the user's click in the box does.
    void ClickIt();

signals:
    void Change();
    void Click();
    void KeyPress(int keyAscii);
    void LostFocus();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* multi_ = nullptr;
    int quiet_ = 0;
};

}  // namespace platform
