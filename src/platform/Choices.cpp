#include "platform/Choices.h"

namespace platform {

// ---------------------------------------------------- OptionButton, CheckBox

OptionButton::OptionButton(QWidget* parent) : Choice<QRadioButton>(parent) {
    setFont(SkinFont(9.75));
    // Qt's own exclusion reaches into nested panels; ours keeps to siblings.
    setAutoExclusive(false);
    connect(this, &QAbstractButton::toggled, this, [this](bool on) {
        if (on) ClearSiblings();
    });
    connect(this, &QAbstractButton::clicked, this, [this] { emit Click(); });
}

void OptionButton::SetValue(bool v) {
    Choice<QRadioButton>::SetValue(v);
    if (v) ClearSiblings();
}

void OptionButton::ClearSiblings() {
    if (!parentWidget()) return;
    for (OptionButton* o : parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly))
        if (o != this) o->Choice<QRadioButton>::SetValue(false);
}

void OptionButton::nextCheckState() {
    // A click selects; it never clears the selected option.
    setChecked(true);
}

void OptionButton::ClickIt() {
    if (!isEnabled()) return;
    SetValue(true);
    emit Click();
}

CheckBox::CheckBox(QWidget* parent) : Choice<QCheckBox>(parent) {
    setFont(SkinFont(9.75));
    connect(this, &QAbstractButton::clicked, this, [this] { emit Click(); });
}

void CheckBox::ClickIt() {
    if (!isEnabled()) return;
    SetValue(!isChecked());
    emit Click();
}

// ---------------------------------------------------------------- ListBox

ListBox::ListBox(QWidget* parent) : Twips<QListWidget>(parent) {
    setFont(SkinFont(9.75));
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The selection is the one the user or the code made; the current row
    // that a focus gain sets on its own is not.
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (quiet_ == 0 && ListIndex() >= 0) emit Click();
    });
}

void ListBox::AddItem(const QString& s) {
    ++quiet_;
    addItem(s);
    --quiet_;
}

void ListBox::Clear() {
    ++quiet_;
    clear();
    --quiet_;
}

QString ListBox::List(int i) const {
    const QListWidgetItem* it = item(i);
    return it ? it->text() : QString();
}

int ListBox::ListIndex() const {
    const QList<QListWidgetItem*> sel = selectedItems();
    return sel.isEmpty() ? -1 : row(sel.first());
}

void ListBox::SetListIndex(int i) {
    ++quiet_;
    if (i >= 0 && i < count()) {
        setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
        scrollToItem(item(i));
    } else {
        clearSelection();
    }
    --quiet_;
}

void ListBox::PickIt(int i) {
    if (!isEnabled() || i < 0 || i >= count()) return;
    SetListIndex(i);
    emit Click();
}

}  // namespace platform
