#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QCursor>
#include <QFont>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/Choices.h"
#include "platform/ComboBox.h"
#include "platform/Label.h"
#include "platform/ListView.h"
#include "platform/Panel.h"
#include "platform/PictureButton.h"
#include "platform/ProgressBar.h"
#include "platform/Screen.h"
#include "platform/TextBox.h"
#include "platform/Twips.h"

// The controls the windows are made of. Each keeps its geometry in twips as
// the windows set it (Left, Top, Width, Height) and carries a Tag text.
namespace platform {

// A control array: element 0 is part of the window, the others are loaded
// at run time and unloaded again. Indices need not be contiguous.
template <class T>
class ControlArray {
public:
    bool Exists(int i) const { return items_.count(i) != 0; }
    T& operator[](int i) const {
        auto it = items_.find(i);
        if (it == items_.end()) throw ControlError("Élément de groupe de contrôles inexistant.");
        return *it->second;
    }
    T& Set(int i, std::unique_ptr<T> c) {
        T& r = *c;
        items_[i] = std::move(c);
        return r;
    }
    void Unload(int i) { items_.erase(i); }
    int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
    int Count() const { return static_cast<int>(items_.size()); }
    template <class F>
    void ForEach(F f) const {
        for (auto& [i, c] : items_) f(i, *c);
    }

private:
    std::map<int, std::unique_ptr<T>> items_;
};

}  // namespace platform
