#pragma once

#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>

#include "platform/Twips.h"

// The choices a window offers: option buttons, check boxes and the list
// box. Each raises Click for what the user does, never for what the code
// sets; an option button clears only the options beside it in its own
// container.
namespace platform {

// What option buttons and check boxes share: a tick set by the code
// without raising anything, a caption and an enabled state.
template <class Base>
class Choice : public Twips<Base> {
public:
    using Twips<Base>::Twips;
    bool Value() const { return this->isChecked(); }
    void SetValue(bool v) {
        const QSignalBlocker quiet(this);
        this->setChecked(v);
    }
    QString Caption() const { return this->text(); }
    void SetCaption(const QString& s) { this->setText(s); }
    bool Enabled() const { return this->isEnabled(); }
    void SetEnabled(bool e) { this->setEnabled(e); }
};

// An option button: selecting one clears the others of the same container
// (its direct siblings only: options in a panel inside it are a choice of
// their own). Click is raised for the user's click only. A screen reader
// meets it as a radio button; the arrow keys move to the option before or
// after in the group, in the order of the screen, and select it as a click.
class OptionButton : public Choice<QRadioButton> {
    Q_OBJECT
public:
    explicit OptionButton(QWidget* parent = nullptr);
    // Selecting clears the siblings; nothing is raised.
    void SetValue(bool v);
    // What a user's click does: selects it and raises Click (not when disabled).
    void ClickIt();

signals:
    void Click();

protected:
    void nextCheckState() override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void ClearSiblings();
};

// A check box. Click is raised for the user's click only, after the tick
// has changed.
class CheckBox : public Choice<QCheckBox> {
    Q_OBJECT
public:
    explicit CheckBox(QWidget* parent = nullptr);
    // What a user's click does: toggles the tick and raises Click.
    void ClickIt();

signals:
    void Click();
};

// A list box of texts with at most one selected entry; ListIndex is the
// selected entry's position from 0, -1 for none. Click is raised when the
// user selects an entry (mouse or keys); filling it or setting ListIndex
// raises nothing.
class ListBox : public Twips<QListWidget> {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);
    void AddItem(const QString& s);
    void Clear();
    int ListCount() const { return count(); }
    QString List(int i) const;
    int ListIndex() const;
    void SetListIndex(int i);
    QString Text() const { return List(ListIndex()); }
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool e) { setEnabled(e); }
    // What a user's pick of entry i does.
    void PickIt(int i);

signals:
    void Click();

private:
    int quiet_ = 0;
};

}  // namespace platform
