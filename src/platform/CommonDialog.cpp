#include "platform/CommonDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include "platform/MessageBox.h"
#include "platform/Printer.h"

namespace platform {

namespace {
struct SeamState {
    bool enabled = false;
    QStringList answers;
    QList<CommonDialogSeam::Call> calls;
};
SeamState& Seam() {
    static SeamState s;
    return s;
}
}  // namespace

QString CommonDialog::QtFilter(const QString& filter) {
    if (filter.isEmpty()) return QString();
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString desc = parts[i];
        // A description without its patterns stands for every file.
        QString patterns = i + 1 < parts.size() ? parts[i + 1] : QStringLiteral("*");
        patterns.replace(u';', u' ');
        // Qt reads the patterns from the last parentheses of each entry.
        out << desc + QStringLiteral(" (") + patterns.simplified() + u')';
    }
    return out.join(QStringLiteral(";;"));
}

bool CommonDialog::ShowOpen() {
    return Show(false);
}
bool CommonDialog::ShowSave() {
    return Show(true);
}

bool CommonDialog::ShowPrinter() {
    return ShowPrinterDialog();
}

bool CommonDialog::Show(bool save) {
    for (;;) {
        const QString chosen = Choose(save);
        if (chosen.isEmpty()) return false;
        // Asked here rather than by Qt's dialog, so the question is French
        // and passes through the message box layer.
        if (save && OverwritePrompt && QFileInfo(chosen).isFile() &&
            MsgBox(QStringLiteral("Le fichier « %1 » existe déjà.\rVoulez-vous le remplacer ?")
                       .arg(QDir::toNativeSeparators(chosen)),
                   vbYesNo + vbExclamation) != vbYes)
            continue;
        FileName = chosen;
        return true;
    }
}

QString CommonDialog::Choose(bool save) const {
    SeamState& s = Seam();
    if (s.enabled) {
        s.calls.push_back({save, DialogTitle, Filter, QtFilter(Filter), FileName, InitDir});
        return s.answers.isEmpty() ? QString() : s.answers.takeFirst();
    }
    // In front of the window the user sees, like the message boxes.
    QFileDialog d(MsgBoxOwner(), DialogTitle);
    d.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save) d.setOption(QFileDialog::DontConfirmOverwrite);
    if (!InitDir.isEmpty()) {
        const QFileInfo dir(InitDir);
        d.setDirectory(dir.isFile() ? dir.absolutePath() : InitDir);
    }
    const QString qt = QtFilter(Filter);
    // The user reads each description as written; the patterns Qt adds to
    // it stay behind it.
    d.setOption(QFileDialog::HideNameFilterDetails);
    if (!qt.isEmpty()) d.setNameFilters(qt.split(QStringLiteral(";;")));
    if (!FileName.isEmpty()) d.selectFile(FileName);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return QString();
    return d.selectedFiles().constFirst();
}

namespace CommonDialogSeam {
void Enable() {
    Seam().enabled = true;
}
void Disable() {
    Seam() = SeamState();
}
bool Enabled() {
    return Seam().enabled;
}
void Answer(const QStringList& fileNames) {
    Seam().answers = fileNames;
}
QList<Call> Calls() {
    return Seam().calls;
}
void Clear() {
    Seam().calls.clear();
    Seam().answers.clear();
}
}  // namespace CommonDialogSeam

}  // namespace platform
