#pragma once
// The user's windows as the foreground and window-title watchers need them:
// the program in front, the titles of the visible top-level windows, and
// events when either may have changed, heard on the GUI thread.
// Win32: platform/win32/window_watch_win32.h.
#include <functional>
#include <string>
#include <vector>

namespace staywick {

struct FrontWindow {
    enum class Owner {
        None,  // no window is in front (a moment between two)
        Self,  // one of this program's own windows (its menu, a forced wake)
        Other, // another program's: `fileName`
    };
    Owner owner = Owner::None;
    std::wstring fileName{}; // "notepad.exe"; empty when it cannot be read
};

class WindowWatch {
public:
    virtual ~WindowWatch() = default;

    virtual FrontWindow InFront() = 0;
    // The titles of the visible top-level windows of the user's session
    // (windows without a title left out).
    virtual std::vector<std::wstring> VisibleTitles() = 0;

    // Runs `changed` on the GUI thread whenever another window comes to the
    // front. False when the platform has no such events; the caller then
    // looks by itself.
    virtual bool HookForeground(std::function<void()> changed) = 0;
    virtual void UnhookForeground() = 0;
    // Runs `changed` when a top-level window is created, destroyed, shown,
    // hidden or renamed. False as above.
    virtual bool HookWindows(std::function<void()> changed) = 0;
    virtual void UnhookWindows() = 0;
};

} // namespace staywick
