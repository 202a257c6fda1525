#include "platform/Choices.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QKeySequence>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

namespace platform {

// ---------------------------------------------------- OptionButton, CheckBox

namespace {

// Qt announces a checkable button of its own exclusion as a radio button
// and any other as a check box; an option button keeps its exclusion to its
// siblings and is a radio button all the same. The rest is told as Qt tells
// it of its own buttons.
class AccesOption : public QAccessibleWidget {
public:
    explicit AccesOption(QWidget* w) : QAccessibleWidget(w, QAccessible::RadioButton) {
        addControllingSignal(QStringLiteral("toggled(bool)"));
    }

    QString text(QAccessible::Text t) const override {
        QString s;
        if (t == QAccessible::Name) {
            s = widget()->accessibleName();
            if (s.isEmpty()) s = SansMarque(Bouton()->text());
        } else if (t == QAccessible::Accelerator) {
            s = QKeySequence::mnemonic(Bouton()->text()).toString(QKeySequence::NativeText);
        }
        return s.isEmpty() ? QAccessibleWidget::text(t) : s;
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = Bouton()->isChecked();
        s.pressed = Bouton()->isDown();
        return s;
    }

    QRect rect() const override {
        const QAbstractButton* b = Bouton();
        if (!b->isVisible()) return QRect();
        QStyleOptionButton o;
        o.initFrom(b);
        o.text = b->text();
        o.icon = b->icon();
        o.iconSize = b->iconSize();
        o.state |= b->isChecked() ? QStyle::State_On : QStyle::State_Off;
        return b->style()
            ->subElementRect(QStyle::SE_RadioButtonClickRect, &o, b)
            .translated(b->mapToGlobal(QPoint(0, 0)));
    }

    QStringList actionNames() const override {
        QStringList names;
        if (widget()->isEnabled()) names << toggleAction();
        return names + QAccessibleWidget::actionNames();
    }

    // Choosing an option from a screen reader does what the user's click
    // does: it selects the option, never clears it, and raises Click.
    void doAction(const QString& action) override {
        if (!widget()->isEnabled()) return;
        if (action == toggleAction())
            Bouton()->click();
        else
            QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QAbstractButton* Bouton() const { return static_cast<QAbstractButton*>(widget()); }
    // The caption without its shortcut marks ("&&" is an ampersand).
    static QString SansMarque(QString s) {
        for (qsizetype i = 0; i < s.size(); ++i)
            if (s.at(i) == u'&') s.remove(i, 1);
        return s;
    }
};

QAccessibleInterface* FabriqueOption(const QString& classe, QObject* o) {
    if (classe == QLatin1String(OptionButton::staticMetaObject.className()) && o &&
        o->isWidgetType())
        return new AccesOption(static_cast<QWidget*>(o));
    return nullptr;
}

void AnnoncerOptions() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(FabriqueOption);
}

}  // namespace

OptionButton::OptionButton(QWidget* parent) : Choice<QRadioButton>(parent) {
    setFont(SkinFont(9.75));
    // Qt's own exclusion reaches into nested panels; ours keeps to siblings.
    setAutoExclusive(false);
    AnnoncerOptions();
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

void OptionButton::keyPressEvent(QKeyEvent* e) {
    const bool avant = e->key() == Qt::Key_Up || e->key() == Qt::Key_Left;
    const bool apres = e->key() == Qt::Key_Down || e->key() == Qt::Key_Right;
    if ((!avant && !apres) || (e->modifiers() & ~Qt::KeypadModifier) || !parentWidget()) {
        Choice<QRadioButton>::keyPressEvent(e);
        return;
    }
    // The group in the order of the screen: rows from the top, each row
    // from the left; round from one end to the other.
    QList<OptionButton*> groupe;
    for (OptionButton* o : parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly))
        if (o == this || (o->isEnabled() && o->isVisibleTo(parentWidget()))) groupe << o;
    std::stable_sort(groupe.begin(), groupe.end(),
                     [](const OptionButton* x, const OptionButton* y) {
                         return std::pair(x->y(), x->x()) < std::pair(y->y(), y->x());
                     });
    const qsizetype n = groupe.size();
    const qsizetype ici = groupe.indexOf(this);
    OptionButton* suivant = groupe.at((ici + (apres ? 1 : n - 1)) % n);
    e->accept();
    if (suivant == this) return;
    suivant->setFocus(apres ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    suivant->click();
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
