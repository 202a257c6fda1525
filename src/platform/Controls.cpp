#include "platform/Controls.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <limits>

#include "platform/Collation.h"

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

// ------------------------------------------------------------ ProgressBar

ProgressBar::ProgressBar(QWidget* parent) : Twips<QProgressBar>(parent) {
    setRange(0, 1000);
    setTextVisible(false);
}

void ProgressBar::SetValue(double v) {
    value_ = std::clamp(v, 0.0, 100.0);
    setValue(static_cast<int>(value_ * 10));
}

// ---------------------------------------------------------- PictureButton

PictureButton::PictureButton(QWidget* parent) : Twips<QAbstractButton>(parent) {
    setFont(SkinFont(9.75));
    police_.Noter(*this);
    setAttribute(Qt::WA_Hover);
    connect(this, &QAbstractButton::clicked, this, &PictureButton::ClickIt);
}

void PictureButton::SetValue(bool v) {
    value_ = v;
    update();
}

void PictureButton::ShowPicture(const QPixmap& p) {
    Picture = p;
    update();
}

void PictureButton::SetForeColor(const QColor& c) {
    ForeColor = c;
    update();
}

void PictureButton::ClickIt() {
    if (Group > 0) {
        if (parentWidget())
            for (auto* b : parentWidget()->findChildren<PictureButton*>(Qt::FindDirectChildrenOnly))
                if (b != this && b->Group == Group) b->SetValue(false);
        SetValue(true);
    } else {
        SetValue(!value_);
    }
    emit Click();
}

void PictureButton::setText(const QString& s) {
    QAbstractButton::setText(s);
    Ajuster();
}

QRect PictureButton::BoiteTexte() const {
    // A caption drawn from the left keeps a small inner margin.
    return (TextFlags & Qt::AlignLeft) ? rect().adjusted(6, 0, -4, 0) : rect();
}

void PictureButton::Ajuster() {
    police_.Ajuster(*this, text(), BoiteTexte(), TextFlags);
}

void PictureButton::resizeEvent(QResizeEvent* e) {
    QAbstractButton::resizeEvent(e);
    Ajuster();
}

void PictureButton::changeEvent(QEvent* e) {
    QAbstractButton::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        police_.Noter(*this);
        Ajuster();
    }
}

void PictureButton::paintEvent(QPaintEvent*) {
    // Flags or a caption set behind the button's back are fitted here.
    Ajuster();
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap& face = (value_ && !PictureDn.isNull()) ? PictureDn : Picture;
    if (!face.isNull()) p.drawPixmap(rect(), face);
    if (!Icon.isNull()) {
        const QSize s = Icon.size().scaled(size() * 0.8, Qt::KeepAspectRatio);
        const QRect r(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s);
        p.drawPixmap(r, Icon);
    }
    if (!text().isEmpty()) {
        p.setPen(ForeColor);
        p.setFont(font());
        // Cut at the button's edge when no size reads whole.
        const QRect r = BoiteTexte();
        p.setClipRect(r);
        p.drawText(r, TextFlags, text());
    }
}

void PictureButton::enterEvent(QEnterEvent* e) {
    QAbstractButton::enterEvent(e);
    emit MouseEnter();
}

void PictureButton::leaveEvent(QEvent* e) {
    QAbstractButton::leaveEvent(e);
    emit MouseLeave();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* e) {
    QAbstractButton::mouseReleaseEvent(e);
}

}  // namespace platform
