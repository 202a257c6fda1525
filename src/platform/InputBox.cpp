#include "platform/InputBox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>
#include <algorithm>

#include "platform/AppFolder.h"

namespace platform {
namespace {

// The width a window needs for its title bar to show the title whole.
int LargeurTitre(const QString& title) {
    // The window manager draws the title in a font of its own, often larger
    // and bold, beside its icon and buttons: measured generously.
    QFont f = QApplication::font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    return QFontMetrics(f).horizontalAdvance(title) + 160;
}

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
    // Wide enough for the title bar to show the whole title, within the screen.
    int width = std::max(box.sizeHint().width(), LargeurTitre(caption));
    if (const QScreen* screen = box.screen())
        width = std::min(width, screen->availableGeometry().width());
    // The box sizes itself to its layout: the line, as wide as the box
    // inside its margins, carries the width.
    if (auto* line = box.findChild<QLineEdit*>()) {
        const QMargins m = box.layout() ? box.layout()->contentsMargins() : QMargins();
        line->setMinimumWidth(width - m.left() - m.right());
    }
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
