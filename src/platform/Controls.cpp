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

// ---------------------------------------------------------------- TextBox

TextBox::TextBox(QWidget* parent, bool multiLine) : Twips<QWidget>(parent) {
    setFont(SkinFont(9.75));
    QWidget* editor = nullptr;
    if (multiLine) {
        multi_ = new QPlainTextEdit(this);
        multi_->setFrameShape(QFrame::NoFrame);
        multi_->setTabChangesFocus(true);
        connect(multi_, &QPlainTextEdit::textChanged, this, [this] {
            if (quiet_ == 0) emit Change();
        });
        editor = multi_;
    } else {
        line_ = new QLineEdit(this);
        line_->setFrame(false);
        // A one-line box keeps the whole text it is given or typed.
        line_->setMaxLength(kSansLimite);
        connect(line_, &QLineEdit::textEdited, this, [this](const QString&) {
            if (quiet_ == 0) emit Change();
        });
        editor = line_;
    }
    editor->setFont(font());
    editor->installEventFilter(this);
    // A multi-line editor takes the mouse in its viewport.
    if (multi_) multi_->viewport()->installEventFilter(this);
    setFocusProxy(editor);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(editor);
}

QString TextBox::Text() const {
    if (line_) return line_->text();
    // The document's own characters: the plain-text conversion would turn
    // every no-break space into a blank and every line separator into a
    // line end. Only the ends of its paragraphs are line ends.
    QString t = multi_->document()->toRawText();
    t.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return t;
}

void TextBox::SetText(const QString& s) {
    ++quiet_;
    if (line_) {
        line_->setText(s);
    } else {
        QString t = s;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        t.replace(u'\r', u'\n');
        multi_->setPlainText(t);
    }
    --quiet_;
}

bool TextBox::Locked() const {
    return line_ ? line_->isReadOnly() : multi_->isReadOnly();
}

void TextBox::SetLocked(bool l) {
    if (line_)
        line_->setReadOnly(l);
    else
        multi_->setReadOnly(l);
}

void TextBox::SetMaxLength(int n) {
    if (line_) line_->setMaxLength(n > 0 ? n : kSansLimite);
}

QWidget* TextBox::Editor() const {
    return line_ ? static_cast<QWidget*>(line_) : static_cast<QWidget*>(multi_);
}

void TextBox::TypeIt(const QString& s) {
    if (line_) {
        line_->setText(s);
        emit Change();
    } else {
        QString t = s;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        multi_->setPlainText(t);  // raises Change through textChanged
    }
}

void TextBox::ClickIt() {
    Editor()->setFocus(Qt::MouseFocusReason);
    emit Click();
}

bool TextBox::eventFilter(QObject* o, QEvent* e) {
    if (o == Editor() && e->type() == QEvent::Show) {
        // The editor is what a screen reader meets: it answers to the name
        // given to the box.
        if (Editor()->accessibleName().isEmpty()) Editor()->setAccessibleName(accessibleName());
        if (Editor()->accessibleDescription().isEmpty())
            Editor()->setAccessibleDescription(accessibleDescription());
    }
    const bool mouseArea = o == line_ || (multi_ && o == multi_->viewport());
    if (mouseArea && e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
        emit Click();
    if (o == Editor()) {
        if (e->type() == QEvent::KeyPress) {
            const int ascii = KeyAscii(static_cast<QKeyEvent*>(e));
            if (ascii != 0) emit KeyPress(ascii);
        } else if (e->type() == QEvent::FocusOut) {
            if (static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason) emit LostFocus();
        }
    }
    return QWidget::eventFilter(o, e);
}

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
