#include "platform/InputBox.h"

#include <QApplication>
#include <QInputDialog>

#include "platform/AppFolder.h"

namespace platform {
namespace {
struct SeamState {
    bool enabled = false;
    QStringList answers;
    QList<InputSeam::Call> calls;
};
SeamState& Seam() {
    static SeamState s;
    return s;
}
}  // namespace

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText,
                 QWidget* parent) {
    const QString caption = title.isEmpty() ? AppTitle() : title;
    SeamState& s = Seam();
    if (s.enabled) {
        s.calls.append({prompt, caption, defaultText});
        return s.answers.isEmpty() ? QString() : s.answers.takeFirst();
    }
    QInputDialog box(parent ? parent : QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("Annuler"));
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

namespace InputSeam {
void Enable() {
    Seam().enabled = true;
}
void Disable() {
    Seam() = SeamState{};
}
void Answer(const QStringList& answers) {
    Seam().answers = answers;
}
QList<Call> Calls() {
    return Seam().calls;
}
}  // namespace InputSeam

}  // namespace platform
