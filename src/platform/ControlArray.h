#pragma once

#include <map>
#include <memory>

#include "platform/Twips.h"

// Control arrays: rows of like controls addressed by index, loaded and
// unloaded at run time; reaching an element that is not loaded raises
// ControlError.
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
