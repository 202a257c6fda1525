#pragma once

#include <QColor>
#include <QCursor>
#include <QHash>
#include <QPixmap>
#include <QTreeWidget>
#include <vector>

#include "platform/Twips.h"

// The list view with its entries and the image list of their small icons.
// Every entry has a key of its own (a second one is refused); a sorted list
// keeps French order; Click is raised for the user's pick, by mouse, arrow
// keys or a letter that moves the selection, and a right press selects the
// entry under the pointer first; a label edit is reported only when the
// user commits it.
namespace platform {

// A numbered set of small pictures; numbers start at 1.
class ImageList {
public:
    void Add(const QPixmap& p) { images_.push_back(p); }
    int Count() const { return static_cast<int>(images_.size()); }
    QPixmap ListImages(int i) const {
        return i >= 1 && i <= Count() ? images_[static_cast<size_t>(i - 1)] : QPixmap();
    }

private:
    std::vector<QPixmap> images_;
};

class ListView;

// One entry of a list view: a unique key, a text and a small icon number.
class ListItem : public QTreeWidgetItem {
public:
    QString Key() const { return key_; }
    QString Text() const { return text(0); }
    void SetText(const QString& s) { setText(0, s); }
    int SmallIcon() const { return icon_; }
    void SetSmallIcon(int i);
    QColor ForeColor() const;
    void SetForeColor(const QColor& c);
    bool Bold() const { return font(0).bold(); }
    void SetBold(bool b);
    // 1-based position in the list.
    int Index() const;
    QString Tag;

private:
    friend class ListView;
    ListItem(QString key, const QString& text, int icon);
    QString key_;
    int icon_ = 0;
};

// A report-style list view with one column.
class ListView : public Twips<QTreeWidget> {
    Q_OBJECT
public:
    struct Entry {
        QString key, text;
        int icon = 0;
    };
    explicit ListView(QWidget* parent = nullptr);

    // ListItems: Add raises ControlError on a key already in the list.
    ListItem* Add(const QString& key, const QString& text, int smallIcon = 0);
    // Adds many entries at once (a fill of thousands of rows); same rules as
    // Add, one repaint for all. Raises on a duplicate key before adding any.
    void AddMany(std::vector<Entry> entries);
    int Count() const { return topLevelItemCount(); }
    ListItem* Item(int index) const;  // 1-based
    ListItem* Find(const QString& key) const { return keys_.value(key); }
    // Takes the entry out of the list and deletes it.
    void Remove(ListItem* item);
    void Clear();

    ListItem* SelectedItem() const;
    void Select(ListItem* item);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool s);

    ImageList* SmallIcons() const { return icons_; }
    void SetSmallIcons(ImageList* l);

    void SetColumnHeader(const QString& text, double widthTwips);
    double ColumnWidthTwips() const;

    // Manual: the user cannot start an edit; StartLabelEdit starts one.
    bool LabelEditAutomatic() const { return autoEdit_; }
    void SetLabelEditAutomatic(bool a) { autoEdit_ = a; }
    void StartLabelEdit();
    // The entry whose label is being edited (during AfterLabelEdit).
    ListItem* EditedItem() const { return edited_; }

    const QCursor& MouseIcon() const { return mouseIcon_; }
    void SetMouseIcon(const QCursor& c) { mouseIcon_ = c; }
    void UseCustomPointer(bool custom);

    const QPixmap& Picture() const { return picture_; }
    void SetPicture(const QPixmap& p);

signals:
    void Click();
    void MouseDown(int button, int shift, double x, double y);
    void AfterLabelEdit(bool& cancel, const QString& newText);
    void LostFocus();

protected:
    void focusOutEvent(QFocusEvent* e) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    void Insert(std::vector<ListItem*>& items);
    QHash<QString, ListItem*> keys_;
    bool sorted_ = false;
    ImageList* icons_ = nullptr;
    bool autoEdit_ = false;
    bool editing_ = false;
    ListItem* edited_ = nullptr;
    QCursor mouseIcon_;
    QPixmap picture_;
    bool pressed_ = false;
};

}  // namespace platform
