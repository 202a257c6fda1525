#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The file dialog of the program: set DialogTitle, FileName and Filter, then
// ShowOpen or ShowSave. FileName holds the chosen file afterwards; a
// cancelled dialog leaves it as it was, so callers empty it first.
namespace platform {

class CommonDialog {
public:
    QString DialogTitle;
    QString FileName;
    // Pairs of description and patterns, all joined by "|":
    // "Images (*.bmp,*.jpg)|*.bmp;*.jpg".
    QString Filter;
    // The folder the dialog starts in (a file names its folder); empty: the
    // platform's choice. The dialog then shows FileName without its folder.
    QString InitDir;
    // Saving asks before replacing an existing file.
    bool OverwritePrompt = false;

    // True when a file was chosen.
    bool ShowOpen();
    // Saving adds no extension.
    bool ShowSave();
    // The printer dialog on the program's current printer; true when confirmed.
    bool ShowPrinter();

    // The filter written the way Qt's dialogs take it.
    static QString QtFilter(const QString& filter);

private:
    bool Show(bool save);
    // The name the user chose, empty on cancel.
    QString Choose(bool save) const;
};

namespace CommonDialogSeam {
struct Call {
    bool save = false;
    QString title;
    QString filter;    // as the caller set it
    QString qtFilter;  // as Qt's dialog takes it (the user reads only the descriptions)
    QString fileName;  // the name the dialog opened with
    QString initDir;
    QString startDir;   // the folder it opens in; empty: the platform's choice
    QString shownName;  // the name in its name field
};
// From Enable on, no dialog is shown: each call is recorded and answered
// with the next scripted file name; an empty name, or none left, cancels.
void Enable();
void Disable();
bool Enabled();
void Answer(const QStringList& fileNames);
QList<Call> Calls();
void Clear();
// Enables the seam afresh with these answers for one scope, then disables it.
class Scripted {
public:
    explicit Scripted(const QStringList& fileNames) {
        Disable();
        Enable();
        Answer(fileNames);
    }
    ~Scripted() { Disable(); }
    Scripted(const Scripted&) = delete;
    Scripted& operator=(const Scripted&) = delete;
};
}  // namespace CommonDialogSeam

}  // namespace platform
