#pragma once

#include <exception>
#include <utility>

namespace platform {

// Runs one step whose failure is skipped so that the next step runs: the
// steps that the program performs "with errors resumed". Returns false when
// the step failed.
template <class F>
bool Resume(F&& step) {
    try {
        std::forward<F>(step)();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// Runs a closing action on every way out of a scope.
template <class F>
class Finally {
public:
    explicit Finally(F f) : f_(std::move(f)) {}
    ~Finally() { f_(); }
    Finally(const Finally&) = delete;
    Finally& operator=(const Finally&) = delete;

private:
    F f_;
};

}  // namespace platform
