#pragma once

#include <QComboBox>
#include <QStringList>
#include <initializer_list>

#include "platform/Twips.h"

// The pick-list. Its Click stands for the user's pick only: nothing is
// raised while the code fills it, sets its text or its position.
namespace platform {

// A pick-list: a drop-down list, or an editable combo (SetEditable). Its
// events stand for what the user does, never for what the code does:
// - Click: the user picked an entry (in the open list, or with the arrow
//   keys in a closed drop-down list); picking the entry already shown counts;
//   in a drop-down list every entry the keyboard moves to, letters or
//   arrows, open or closed, is a pick;
// - KeyDown / KeyPress: every key, Enter as key code and character 13;
// - Change: the user changed the typed text;
// - LostFocus: the focus went elsewhere (not into its own open list).
// Filling it, setting its text or its position raises nothing. Typed text
// stays as typed: no completion, no replacement by an entry of other case.
// The mouse wheel does nothing unless the list is open.
class ComboBox : public Twips<QComboBox> {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);
    void SetEditable(bool e);
    void AddItem(const QString& s);
    void AddItems(const QStringList& l);
    void Clear();
    int ListCount() const { return count(); }
    QString List(int i) const { return itemText(i); }
    int ListIndex() const { return currentIndex(); }
    void SetListIndex(int i);
    QString Text() const { return currentText(); }
    void SetText(const QString& s);
    // What a user's pick of entry i does (tests and keyboard use).
    void PickIt(int i);
    // The font the window gave the list; a drop-down list draws the entry
    // it shows in a smaller one when the entry would not read whole.
    const QFont& Police() const { return police_.Police(); }
    // Where the entry shown is drawn.
    QRect BoiteTexte() const;

signals:
    void Click();
    void KeyDown(int keyCode, int shift);
    void KeyPress(int keyAscii);
    void Change();
    void LostFocus();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

public:
    void showPopup() override;
    void hidePopup() override;

private:
    // Set while the code changes the list: nothing is raised then.
    int quiet_ = 0;
    // Set while the typed edit ends: nothing it raises is a pick.
    int fin_ = 0;
    bool popup_ = false;
    bool closing_ = false;
    // A key is moving the entry of a closed drop-down list.
    bool keyPick_ = false;
    // The last thing the user did in the open list was a key.
    bool keyInList_ = false;
    void Ajuster();
    void Elargir();
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    PoliceAjustee police_;
    friend void MemeTaille(std::initializer_list<ComboBox*> listes);
};

// Drop-down lists side by side: those that show the same entry draw it at
// one size, the smallest in which it reads whole in each.
void MemeTaille(std::initializer_list<ComboBox*> listes);

}  // namespace platform
