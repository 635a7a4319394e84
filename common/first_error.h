#pragma once
// Runs a sequence of steps to its end even when some of them fail, and raises
// the first failure once all of them have run. Start-up uses it, so that a
// refused settings write or a log line that cannot be written is reported
// without cutting the rest of start-up short.
#include <exception>
#include <utility>

namespace staywick {

class FirstError {
public:
    // Runs one step. Its failure is kept when it is the first; a later one is
    // dropped, since it mostly comes from the same fault (a file that cannot
    // be written), which the next save or tick meets and reports again.
    template <class F> void Run(F&& step) {
        try {
            std::forward<F>(step)();
        } catch (...) {
            if (!first_)
                first_ = std::current_exception();
        }
    }

    bool Failed() const noexcept { return static_cast<bool>(first_); }

    // Raises the first failure kept, if any.
    void RaiseIfAny() const {
        if (first_)
            std::rethrow_exception(first_);
    }

private:
    std::exception_ptr first_;
};

} // namespace staywick
