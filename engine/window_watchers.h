#pragma once
// The watchers of the windows: ForegroundWatcher reports a listed program
// whose window is in front, WindowTitleWatcher the first pattern that an open
// window's title matches. Both follow the platform's events and look by
// themselves only where it has none (every 5 s); neither hooks anything while
// its list is empty.
#include "engine/timer.h"
#include "engine/title_patterns.h"
#include "platform/timer_port.h"
#include "platform/window_watch.h"

#include <functional>
#include <string>
#include <vector>

namespace staywick {

inline constexpr std::uint32_t kWindowLookMs = 5000;
// Window events come in bursts (a program opens several windows, a title
// changes with every keystroke): one look once they have settled.
inline constexpr std::uint32_t kWindowSettleMs = 250;

// Passes a fact on only when it differs from the last one passed on.
class ChangedText {
public:
    explicit ChangedText(std::function<void(const std::wstring&)> report)
        : report_(std::move(report)) {}
    void Report(const std::wstring& text);
    const std::wstring& Last() const noexcept { return last_; }

private:
    std::function<void(const std::wstring&)> report_;
    std::wstring last_;
};

// The name in `programs` that `front` runs; empty when none. Our own windows
// (a forced wake brings the program's window forward) and a moment without
// any window in front tell nothing new: `last` stays while it is listed.
std::wstring ProgramInFront(const std::vector<std::wstring>& programs, const FrontWindow& front,
                            const std::wstring& last);

class ForegroundWatcher {
public:
    // `report` gets the listed program in front, or an empty text; it is
    // called only when that changes.
    ForegroundWatcher(WindowWatch& windows, TimerPort& timer,
                      std::function<void(const std::wstring&)> report);
    ~ForegroundWatcher();
    ForegroundWatcher(const ForegroundWatcher&) = delete;
    ForegroundWatcher& operator=(const ForegroundWatcher&) = delete;

    // A new list: hooked (or looking every 5 s) while it holds a name, and
    // a look at once.
    void SetPrograms(std::vector<std::wstring> programs);
    // Looks at once (after a resume, say).
    void LookNow();

    bool Hooked() const noexcept { return hooked_; }
    int Looks() const noexcept { return looks_; }

private:
    void Look();

    WindowWatch& windows_;
    ChangedText reported_;
    std::vector<std::wstring> programs_;
    bool hooked_ = false;
    int looks_ = 0;
    TTimer timer_;
};

class WindowTitleWatcher {
public:
    WindowTitleWatcher(WindowWatch& windows, TimerPort& timer, CaseFold fold,
                       std::function<void(const std::wstring&)> report);
    ~WindowTitleWatcher();
    WindowTitleWatcher(const WindowTitleWatcher&) = delete;
    WindowTitleWatcher& operator=(const WindowTitleWatcher&) = delete;

    void SetPatterns(std::vector<std::wstring> patterns);
    void LookNow();

    bool Hooked() const noexcept { return hooked_; }
    int Looks() const noexcept { return looks_; }

private:
    void Look();
    void WindowsChanged();

    WindowWatch& windows_;
    ChangedText reported_;
    CaseFold fold_;
    TitleMatcher matcher_;
    bool hooked_ = false;
    int looks_ = 0;
    TTimer timer_;
};

} // namespace staywick
