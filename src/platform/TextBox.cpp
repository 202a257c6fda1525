#include "platform/TextBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextDocument>
#include <QVBoxLayout>

namespace platform {

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

}  // namespace platform
