#pragma once

#include <QColor>
#include <QLabel>

#include "platform/Twips.h"

// Text labels. A label lies beneath the buttons, boxes and lists of its
// window: where one of them lies, the label neither draws nor takes the
// pointer, so an empty label spread over a button never swallows its
// clicks. Which part each label leaves free is worked out again whenever a
// control moves, shows, hides or goes, and when the window shows.
namespace platform {

// A text label, shown as typed (never read as markup).
class Label : public Twips<QLabel> {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);
    ~Label() override;
    QString Caption() const { return text(); }
    void SetCaption(const QString& s) { setText(s); }
    void setText(const QString& s);
    QColor ForeColor() const;
    void SetForeColor(const QColor& c);
    // Works out again which part of the label the controls leave free.
    void Degager();
    // True while some part of the label gives way to a control.
    bool Cede() const { return transparent_ || !mask().isEmpty(); }
    // The font the window gave the label; font() is the one its caption is
    // drawn in, smaller when the caption would not read whole otherwise.
    const QFont& Police() const { return police_.Police(); }
    // Where the caption is laid out: inside the part the controls leave free.
    QRect BoiteTexte() const;

protected:
    bool event(QEvent* e) override;

private:
    void Ajuster();
    bool transparent_ = false;
    PoliceAjustee police_;
};

// True for the controls a label never covers: buttons, boxes and lists.
bool PrendLaSouris(const QWidget* w);

}  // namespace platform
