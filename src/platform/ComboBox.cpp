#include "platform/ComboBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QStyleOptionViewItem>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <algorithm>

namespace platform {

namespace {
int ShiftState(Qt::KeyboardModifiers m) {
    int shift = 0;
    if (m & Qt::ShiftModifier) shift |= 1;
    if (m & Qt::ControlModifier) shift |= 2;
    if (m & Qt::AltModifier) shift |= 4;
    return shift;
}
}  // namespace

ComboBox::ComboBox(QWidget* parent) : Twips<QComboBox>(parent) {
    setFont(SkinFont(9.75));
    setInsertPolicy(QComboBox::NoInsert);
    setFocusPolicy(Qt::StrongFocus);
    // Only a pick made while the list is open, or with the keys in a
    // closed drop-down list, is the user's; Qt also raises activated when
    // an edit ends on an entry's exact text, which is not a pick.
    connect(this, &QComboBox::activated, this, [this](int) {
        if (quiet_ == 0 && fin_ == 0 && (popup_ || closing_ || keyPick_)) emit Click();
    });
    // In the open drop-down list a key moves the highlight only; the user
    // meant the entry it lands on, as a closed list takes it at once. The
    // pointer moving over the list highlights too, and is no pick.
    view()->installEventFilter(this);
    view()->viewport()->installEventFilter(this);
    // What an open list cannot show whole is cut at its end.
    view()->setTextElideMode(Qt::ElideRight);
    connect(this, &QComboBox::highlighted, this, [this](int i) {
        if (!keyInList_ || !popup_ || isEditable() || quiet_ != 0) return;
        keyInList_ = false;
        ++quiet_;
        setCurrentIndex(i);
        --quiet_;
        emit Click();
    });
    police_.Noter(*this);
    connect(this, &QComboBox::currentTextChanged, this, [this] { Ajuster(); });
}

bool ComboBox::eventFilter(QObject* o, QEvent* e) {
    if (o == view() || o == view()->viewport()) {
        switch (e->type()) {
            case QEvent::KeyPress:
                keyInList_ = true;
                break;
            case QEvent::MouseMove:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::Wheel:
                keyInList_ = false;
                break;
            default:
                break;
        }
    }
    return QComboBox::eventFilter(o, e);
}

void ComboBox::SetEditable(bool e) {
    ++quiet_;
    setEditable(e);
    Ajuster();
    if (e) {
        setCompleter(nullptr);
        // Typed text is kept whole, as in a one-line box.
        lineEdit()->setMaxLength(kSansLimite);
        lineEdit()->setFont(font());
        connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString&) {
            if (quiet_ == 0) emit Change();
        });
    }
    --quiet_;
}

void ComboBox::AddItem(const QString& s) {
    ++quiet_;
    // An editable list keeps the typed text while it is filled.
    const QString typed = isEditable() ? currentText() : QString();
    addItem(s);
    if (isEditable()) setEditText(typed);
    --quiet_;
}

void ComboBox::AddItems(const QStringList& l) {
    ++quiet_;
    const QString typed = isEditable() ? currentText() : QString();
    addItems(l);
    if (isEditable()) setEditText(typed);
    --quiet_;
}

void ComboBox::Clear() {
    ++quiet_;
    const QString typed = isEditable() ? currentText() : QString();
    clear();
    if (isEditable()) setEditText(typed);
    --quiet_;
}

void ComboBox::SetListIndex(int i) {
    ++quiet_;
    setCurrentIndex(i);
    --quiet_;
}

void ComboBox::SetText(const QString& s) {
    ++quiet_;
    if (isEditable()) {
        const int i = findText(s, Qt::MatchExactly | Qt::MatchCaseSensitive);
        setCurrentIndex(i);
        setEditText(s);
    } else {
        setCurrentIndex(findText(s, Qt::MatchExactly));
    }
    --quiet_;
}

void ComboBox::PickIt(int i) {
    if (i < 0 || i >= count()) return;
    ++quiet_;
    setCurrentIndex(i);
    if (isEditable()) setEditText(itemText(i));
    --quiet_;
    emit Click();
}

void ComboBox::keyPressEvent(QKeyEvent* e) {
    emit KeyDown(KeyCode(e), ShiftState(e->modifiers()));
    const int ascii = KeyAscii(e);
    if (ascii == 13) {
        // Enter goes to the handler only; Qt would end the edit on it and
        // may choose an entry.
        emit KeyPress(13);
        e->accept();
        return;
    }
    if (ascii != 0) emit KeyPress(ascii);
    const bool arrow = e->key() == Qt::Key_Up || e->key() == Qt::Key_Down ||
                       e->key() == Qt::Key_PageUp || e->key() == Qt::Key_PageDown ||
                       e->key() == Qt::Key_Home || e->key() == Qt::Key_End;
    // In an editable list the arrows would replace the typed text.
    if (arrow && !(e->modifiers() & Qt::AltModifier) && !popup_ && isEditable()) {
        e->accept();
        return;
    }
    // In a closed drop-down list the arrows and the letters choose the entry.
    keyPick_ = !isEditable() && !popup_;
    QComboBox::keyPressEvent(e);
    keyPick_ = false;
}

void ComboBox::focusOutEvent(QFocusEvent* e) {
    // The edit ends as the focus leaves, also for the list's own popup:
    // Qt then takes the shown text for a choice of the entry it matches,
    // which the user never made.
    ++fin_;
    QComboBox::focusOutEvent(e);
    --fin_;
    if (e->reason() == Qt::PopupFocusReason || popup_) return;
    emit LostFocus();
}

void ComboBox::wheelEvent(QWheelEvent* e) {
    e->ignore();
}

void ComboBox::showPopup() {
    popup_ = true;
    keyInList_ = false;
    QComboBox::showPopup();
    Elargir();
}

void ComboBox::Elargir() {
    // The open list is as wide as its longest entry asks, within the screen:
    // entries that differ only at their end must read apart.
    QAbstractItemView* v = view();
    QWidget* liste = v->window();
    if (liste == window() || count() == 0) return;
    QStyleOptionViewItem o;
    o.initFrom(v);
    o.font = v->font();
    // The delegate adds its margins to a box just as wide as the text.
    const QFontMetrics fm(v->font());
    int voulu = 0;
    for (int i = 0; i < count(); ++i) {
        const QModelIndex x = v->model()->index(i, modelColumn());
        o.rect = QRect(0, 0, fm.horizontalAdvance(itemText(i)), v->visualRect(x).height());
        voulu = std::max(voulu, v->itemDelegate()->sizeHint(o, x).width());
    }
    const int manque = voulu - v->viewport()->width();
    if (manque <= 0) return;
    const QRect ecran = liste->screen() ? liste->screen()->availableGeometry() : QRect();
    QRect g = liste->geometry();
    g.setWidth(g.width() + manque);
    if (ecran.isValid()) {
        g.setWidth(std::min(g.width(), ecran.width()));
        if (g.right() > ecran.right()) g.moveRight(ecran.right());
        if (g.left() < ecran.left()) g.moveLeft(ecran.left());
    }
    liste->setGeometry(g);
}

void ComboBox::hidePopup() {
    QComboBox::hidePopup();
    popup_ = false;
    keyInList_ = false;
    // The pick is raised after the list closes, within the same event.
    closing_ = true;
    QTimer::singleShot(0, this, [this] { closing_ = false; });
}

QRect ComboBox::BoiteTexte() const {
    QStyleOptionComboBox o;
    initStyleOption(&o);
    // The style draws the entry a pixel in from each side of its field.
    return style()
        ->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, this)
        .adjusted(1, 0, -1, 0);
}

void ComboBox::Ajuster() {
    // A list one types in shows the typed text as a text box does.
    if (isEditable()) {
        police_.Ajuster(*this, QString(), rect(), 0);
        return;
    }
    police_.Ajuster(*this, currentText(), BoiteTexte(), Qt::AlignLeft | Qt::AlignVCenter);
    // The open list keeps the window's font.
    if (view()->font() != police_.Police()) view()->setFont(police_.Police());
}

void MemeTaille(std::initializer_list<ComboBox*> listes) {
    const auto groupe = std::make_shared<GroupeTaille>();
    for (ComboBox* l : listes) l->police_.Rejoindre(groupe);
    for (ComboBox* l : listes) l->Ajuster();
}

void ComboBox::resizeEvent(QResizeEvent* e) {
    QComboBox::resizeEvent(e);
    Ajuster();
}

void ComboBox::changeEvent(QEvent* e) {
    QComboBox::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        police_.Noter(*this);
        Ajuster();
    }
}

}  // namespace platform
