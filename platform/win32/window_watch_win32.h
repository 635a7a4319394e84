#pragma once
// The window watch on Windows: GetForegroundWindow and EnumWindows for a
// look, and out-of-context win-event hooks (SetWinEventHook with
// WINEVENT_OUTOFCONTEXT) for the events. Out of context, the system hands
// each event to the hooking thread through its message queue, so every
// `changed` runs on the GUI thread, in the message loop, and no code of ours
// runs in other programs.
// Wine 8 accepts the hooks but sends only EVENT_OBJECT_CREATE: no
// EVENT_SYSTEM_FOREGROUND, no shown, hidden, destroyed or renamed windows
// (tried with its notepad and winemine, in and across processes). Under Wine
// the hooks are therefore refused here, and the watchers look every 5 s.
#include "common/win32/handles.h"
#include "platform/window_watch.h"

#include <windows.h>

namespace staywick {

using WinEventHook = win32::UniqueHandle<HWINEVENTHOOK, &::UnhookWinEvent>;

// True under Wine (its ntdll exports wine_get_version).
bool RunsUnderWine();

class WindowWatchWin32 final : public WindowWatch {
public:
    // Called inside a catch block when a `changed` handler throws, so that
    // nothing escapes the hook's callback: the program's error report.
    using ErrorReport = bool (*)();

    // `hooks` false: refuse every hook, as under Wine (the default there).
    explicit WindowWatchWin32(ErrorReport reportError, bool hooks = !RunsUnderWine());
    ~WindowWatchWin32() override;
    WindowWatchWin32(const WindowWatchWin32&) = delete;
    WindowWatchWin32& operator=(const WindowWatchWin32&) = delete;

    FrontWindow InFront() override;
    std::vector<std::wstring> VisibleTitles() override;
    bool HookForeground(std::function<void()> changed) override;
    void UnhookForeground() override;
    bool HookWindows(std::function<void()> changed) override;
    void UnhookWindows() override;

private:
    static void CALLBACK OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND wnd, LONG idObject,
                                    LONG idChild, DWORD thread, DWORD time);
    void Changed(const std::function<void()>& changed) const;

    ErrorReport reportError_;
    bool hooks_;
    std::function<void()> foregroundChanged_;
    std::function<void()> windowsChanged_;
    WinEventHook foreground_;
    WinEventHook created_; // creation, destruction, shown, hidden
    WinEventHook renamed_;
};

} // namespace staywick
