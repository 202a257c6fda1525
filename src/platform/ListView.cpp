#include "platform/ListView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <algorithm>
#include <functional>

#include "platform/Collation.h"

namespace platform {

// --------------------------------------------------------------- ListItem

ListItem::ListItem(QString key, const QString& text, int icon) : key_(std::move(key)) {
    setText(0, text);
    icon_ = icon;
}

void ListItem::SetSmallIcon(int i) {
    icon_ = i;
    auto* lv = static_cast<ListView*>(treeWidget());
    if (lv && lv->SmallIcons()) setIcon(0, lv->SmallIcons()->ListImages(i));
}

QColor ListItem::ForeColor() const {
    const QVariant v = data(0, Qt::ForegroundRole);
    if (v.isValid()) return v.value<QBrush>().color();
    return treeWidget() ? treeWidget()->palette().color(QPalette::Text) : QColor(Qt::black);
}

void ListItem::SetForeColor(const QColor& c) {
    setForeground(0, c);
}

void ListItem::SetBold(bool b) {
    QFont f = treeWidget() ? treeWidget()->font() : font(0);
    f.setBold(b);
    setFont(0, f);
}

int ListItem::Index() const {
    return treeWidget() ? treeWidget()->indexOfTopLevelItem(const_cast<ListItem*>(this)) + 1 : 0;
}

// --------------------------------------------------------------- ListView

namespace {

// Keeps an entry's own colour when it is selected, so that the highlight
// colour of the program shows on the selected entry too; and reports label
// edits to the list.
class ItemDelegate : public QStyledItemDelegate {
public:
    using Done = std::function<void(const QModelIndex&, const QString&)>;
    ItemDelegate(QObject* parent, Done done)
        : QStyledItemDelegate(parent), done_(std::move(done)) {}

    void initStyleOption(QStyleOptionViewItem* o, const QModelIndex& i) const override {
        QStyledItemDelegate::initStyleOption(o, i);
        const QVariant fg = i.data(Qt::ForegroundRole);
        // An entry without a colour of its own takes the list's highlighted
        // text colour, which reads on the highlight.
        if (fg.isValid())
            o->palette.setColor(QPalette::HighlightedText, fg.value<QBrush>().color());
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& i) const override {
        if (auto* line = qobject_cast<QLineEdit*>(editor)) done_(i, line->text());
    }

private:
    Done done_;
};

}  // namespace

ListView::ListView(QWidget* parent) : Twips<QTreeWidget>(parent) {
    setColumnCount(1);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setHeaderLabels({QStringLiteral("Titre")});
    setFont(SkinFont(9.75));
    setItemDelegate(new ItemDelegate(this, [this](const QModelIndex& i, const QString& text) {
        auto* item = static_cast<ListItem*>(itemFromIndex(i));
        if (!item) return;
        bool cancel = false;
        editing_ = false;
        edited_ = item;
        emit AfterLabelEdit(cancel, text);
        edited_ = nullptr;
        if (!cancel) item->SetText(text);
    }));
}

// Adds the items; a sorted list then holds all its entries in French order
// of their texts (with no new item, it is only put in order).
void ListView::Insert(std::vector<ListItem*>& items) {
    // Icons first: set on items already in the view, each would be a change
    // the view reacts to.
    if (icons_)
        for (ListItem* it : items) it->setIcon(0, icons_->ListImages(it->icon_));
    QList<QTreeWidgetItem*> added(items.begin(), items.end());
    if (!sorted_) {
        addTopLevelItems(added);
        return;
    }
    std::vector<ListItem*> all;
    all.reserve(static_cast<size_t>(topLevelItemCount()) + items.size());
    for (int i = 0; i < topLevelItemCount(); ++i)
        all.push_back(static_cast<ListItem*>(topLevelItem(i)));
    all.insert(all.end(), items.begin(), items.end());
    auto less = [](const ListItem* a, const ListItem* b) {
        return CompareFrench(a->text(0), b->text(0)) < 0;
    };
    // A fill read in the list's own order only appends.
    if (std::is_sorted(all.begin(), all.end(), less)) {
        addTopLevelItems(added);
        return;
    }
    // The items stay alive while they leave the view to be re-ordered.
    const bool block = blockSignals(true);
    while (topLevelItemCount() > 0) takeTopLevelItem(topLevelItemCount() - 1);
    blockSignals(block);
    std::stable_sort(all.begin(), all.end(), less);
    addTopLevelItems(QList<QTreeWidgetItem*>(all.begin(), all.end()));
}

ListItem* ListView::Add(const QString& key, const QString& text, int smallIcon) {
    if (keys_.contains(key)) throw ControlError("La clé de l'élément existe déjà dans la liste.");
    auto* item = new ListItem(key, text, smallIcon);
    keys_.insert(key, item);
    if (sorted_ && topLevelItemCount() > 0) {
        // Binary search for the place of the new entry.
        int lo = 0, hi = topLevelItemCount();
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (CompareFrench(topLevelItem(mid)->text(0), text) <= 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        insertTopLevelItem(lo, item);
        if (icons_) item->setIcon(0, icons_->ListImages(smallIcon));
    } else {
        std::vector<ListItem*> one{item};
        Insert(one);
    }
    return item;
}

void ListView::AddMany(std::vector<Entry> entries) {
    QHash<QString, bool> seen;
    seen.reserve(static_cast<qsizetype>(entries.size()));
    for (const Entry& e : entries)
        if (keys_.contains(e.key) || seen.contains(e.key))
            throw ControlError("La clé de l'élément existe déjà dans la liste.");
        else
            seen.insert(e.key, true);
    std::vector<ListItem*> items;
    items.reserve(entries.size());
    keys_.reserve(keys_.size() + static_cast<qsizetype>(entries.size()));
    for (Entry& e : entries) {
        auto* item = new ListItem(std::move(e.key), e.text, e.icon);
        keys_.insert(item->key_, item);
        items.push_back(item);
    }
    setUpdatesEnabled(false);
    Insert(items);
    setUpdatesEnabled(true);
}

ListItem* ListView::Item(int index) const {
    if (index < 1 || index > topLevelItemCount()) return nullptr;
    return static_cast<ListItem*>(topLevelItem(index - 1));
}

void ListView::Remove(ListItem* item) {
    if (!item || item->treeWidget() != this) return;
    if (edited_ == item) edited_ = nullptr;
    keys_.remove(item->Key());
    delete item;
}

void ListView::Clear() {
    editing_ = false;
    clear();
    keys_.clear();
}

ListItem* ListView::SelectedItem() const {
    const auto sel = selectedItems();
    return sel.isEmpty() ? nullptr : static_cast<ListItem*>(sel.first());
}

void ListView::Select(ListItem* item) {
    if (!item) {
        clearSelection();
        return;
    }
    setCurrentItem(item);
    item->setSelected(true);
}

void ListView::SetSorted(bool s) {
    sorted_ = s;
    std::vector<ListItem*> none;
    if (s) Insert(none);
}

void ListView::SetSmallIcons(ImageList* l) {
    icons_ = l;
    if (!l) return;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        auto* it = static_cast<ListItem*>(topLevelItem(i));
        it->setIcon(0, l->ListImages(it->icon_));
    }
}

void ListView::SetColumnHeader(const QString& text, double widthTwips) {
    setHeaderLabels({text});
    setColumnWidth(0, std::max(0, ToPixels(widthTwips)));
}

double ListView::ColumnWidthTwips() const {
    return columnWidth(0) * kTwipsPerPixel;
}

void ListView::StartLabelEdit() {
    ListItem* it = SelectedItem();
    if (!it) return;
    it->setFlags(it->flags() | Qt::ItemIsEditable);
    editing_ = true;
    editItem(it, 0);
}

void ListView::UseCustomPointer(bool custom) {
    if (custom)
        viewport()->setCursor(mouseIcon_);
    else
        viewport()->unsetCursor();
}

void ListView::SetPicture(const QPixmap& p) {
    picture_ = p;
    QPalette pal = palette();
    if (p.isNull())
        pal.setBrush(QPalette::Base, QApplication::palette().brush(QPalette::Base));
    else
        pal.setBrush(QPalette::Base, QBrush(p));
    setPalette(pal);
}

void ListView::focusOutEvent(QFocusEvent* e) {
    QTreeWidget::focusOutEvent(e);
    emit LostFocus();
}

// An edit left with Escape ends here without a commit.
void ListView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTreeWidget::closeEditor(editor, hint);
    editing_ = false;
}

void ListView::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        // A right press on another entry selects it as a click would, so
        // that the menu that follows acts on the entry under the pointer
        // and the lists agree with each other.
        auto* it = static_cast<ListItem*>(itemAt(e->position().toPoint()));
        if (it && it != SelectedItem() && !editing_) {
            Select(it);
            emit Click();
        }
    } else {
        QTreeWidget::mousePressEvent(e);
    }
    const int button = e->button() == Qt::LeftButton     ? 1
                       : e->button() == Qt::RightButton  ? 2
                       : e->button() == Qt::MiddleButton ? 4
                                                         : 0;
    int shift = 0;
    if (e->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (e->modifiers() & Qt::ControlModifier) shift |= 2;
    if (e->modifiers() & Qt::AltModifier) shift |= 4;
    pressed_ = e->button() == Qt::LeftButton;
    emit MouseDown(button, shift, e->position().x() * kTwipsPerPixel,
                   e->position().y() * kTwipsPerPixel);
}

void ListView::mouseReleaseEvent(QMouseEvent* e) {
    QTreeWidget::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        if (itemAt(e->position().toPoint())) emit Click();
    }
}

void ListView::keyPressEvent(QKeyEvent* e) {
    const QTreeWidgetItem* avant = SelectedItem();
    QTreeWidget::keyPressEvent(e);
    // A letter moves the selection to the next entry it begins; that entry
    // is picked as the arrows pick theirs (on their release, below).
    if (!editing_ && !e->text().isEmpty() && e->text().at(0).isPrint() && SelectedItem() &&
        SelectedItem() != avant)
        emit Click();
}

void ListView::keyReleaseEvent(QKeyEvent* e) {
    QTreeWidget::keyReleaseEvent(e);
    switch (e->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (!editing_ && SelectedItem()) emit Click();
            break;
        default:
            break;
    }
}

}  // namespace platform
