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

// Where the dialog opens and the name it shows. A start folder given holds:
// the proposed name then shows without a folder of its own, which would
// take the dialog elsewhere.
struct Depart {
    QString dossier;
    QString nom;
};
Depart DepartDe(const QString& initDir, const QString& fileName) {
    if (initDir.isEmpty()) return {QString(), fileName};
    const QFileInfo dir(initDir);
    return {dir.isDir() ? initDir : dir.absolutePath(), QFileInfo(fileName).fileName()};
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
    const Depart depart = DepartDe(InitDir, FileName);
    SeamState& s = Seam();
    if (s.enabled) {
        s.calls.push_back({save, DialogTitle, Filter, QtFilter(Filter), FileName, InitDir,
                           depart.dossier, depart.nom});
        return s.answers.isEmpty() ? QString() : s.answers.takeFirst();
    }
    // In front of the window the user sees, like the message boxes.
    QFileDialog d(MsgBoxOwner(), DialogTitle);
    d.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save) d.setOption(QFileDialog::DontConfirmOverwrite);
    if (!depart.dossier.isEmpty()) d.setDirectory(depart.dossier);
    const QString qt = QtFilter(Filter);
    // The user reads each description as written; the patterns Qt adds to
    // it stay behind it.
    d.setOption(QFileDialog::HideNameFilterDetails);
    if (!qt.isEmpty()) d.setNameFilters(qt.split(QStringLiteral(";;")));
    if (!depart.nom.isEmpty()) d.selectFile(depart.nom);
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
