#pragma once
// Runs a cleanup when the scope ends, on every path (return or exception).
#include <utility>

namespace staywick {

template <class F> class ScopeExit {
public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() {
        if (active_)
            f_();
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    void Release() noexcept { active_ = false; }

private:
    F f_;
    bool active_ = true;
};

} // namespace staywick
