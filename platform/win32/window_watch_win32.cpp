#include "platform/win32/window_watch_win32.h"

#include "common/win32/process_image.h"
#include "common/win32/window_text.h"
#include "platform/program_windows.h"

#include <algorithm>
#include <vector>

namespace staywick {

namespace {

// The hook's callback gets no context of ours: the watches with a hook are
// found here by the hook's handle. Only the GUI thread touches the list.
std::vector<WindowWatchWin32*>& Watches() {
    static std::vector<WindowWatchWin32*> watches;
    return watches;
}

bool IsTopLevel(HWND wnd) {
    return ::GetAncestor(wnd, GA_PARENT) == ::GetDesktopWindow();
}

BOOL CALLBACK AddTitle(HWND wnd, LPARAM context) {
    auto& titles = *reinterpret_cast<std::vector<std::wstring>*>(context);
    if (!::IsWindowVisible(wnd) || ::GetWindowTextLengthW(wnd) <= 0)
        return TRUE;
    std::wstring title = WindowText(wnd);
    if (!title.empty())
        titles.push_back(std::move(title));
    return TRUE;
}

HWINEVENTHOOK Hook(DWORD first, DWORD last, WINEVENTPROC proc) {
    // Every process and thread; out of context, so the events come to this
    // thread's queue.
    return ::SetWinEventHook(first, last, nullptr, proc, 0, 0, WINEVENT_OUTOFCONTEXT);
}

} // namespace

bool RunsUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

WindowWatchWin32::WindowWatchWin32(ErrorReport reportError, bool hooks)
    : reportError_(reportError), hooks_(hooks) {
    Watches().push_back(this);
}

WindowWatchWin32::~WindowWatchWin32() {
    foreground_.Reset();
    created_.Reset();
    renamed_.Reset();
    auto& watches = Watches();
    watches.erase(std::remove(watches.begin(), watches.end(), this), watches.end());
}

FrontWindow WindowWatchWin32::InFront() {
    HWND front = ::GetForegroundWindow();
    if (!front)
        return {};
    DWORD processId = 0;
    ::GetWindowThreadProcessId(front, &processId);
    if (processId == ::GetCurrentProcessId())
        return {.owner = FrontWindow::Owner::Self};
    const std::wstring path = ProcessImagePath(processId);
    return {.owner = FrontWindow::Owner::Other,
            .fileName = path.empty() ? std::wstring() : FileNameOfPath(path)};
}

std::vector<std::wstring> WindowWatchWin32::VisibleTitles() {
    std::vector<std::wstring> titles;
    ::EnumWindows(&AddTitle, reinterpret_cast<LPARAM>(&titles));
    return titles;
}

bool WindowWatchWin32::HookForeground(std::function<void()> changed) {
    if (!hooks_)
        return false;
    foregroundChanged_ = std::move(changed);
    if (!foreground_)
        foreground_.Reset(Hook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, &OnWinEvent));
    return static_cast<bool>(foreground_);
}

void WindowWatchWin32::UnhookForeground() {
    foreground_.Reset();
    foregroundChanged_ = nullptr;
}

// Two ranges: the one between them holds the location changes, which come
// with every move of the mouse.
bool WindowWatchWin32::HookWindows(std::function<void()> changed) {
    if (!hooks_)
        return false;
    windowsChanged_ = std::move(changed);
    if (!created_)
        created_.Reset(Hook(EVENT_OBJECT_CREATE, EVENT_OBJECT_HIDE, &OnWinEvent));
    if (!renamed_)
        renamed_.Reset(Hook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, &OnWinEvent));
    if (created_ && renamed_)
        return true;
    UnhookWindows();
    return false;
}

void WindowWatchWin32::UnhookWindows() {
    created_.Reset();
    renamed_.Reset();
    windowsChanged_ = nullptr;
}

void WindowWatchWin32::Changed(const std::function<void()>& changed) const {
    if (!changed)
        return;
    try {
        changed();
    } catch (...) {
        if (reportError_)
            reportError_();
    }
}

void CALLBACK WindowWatchWin32::OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND wnd, LONG idObject,
                                           LONG idChild, DWORD, DWORD) {
    for (WindowWatchWin32* watch : Watches()) {
        if (hook == watch->foreground_.Get()) {
            watch->Changed(watch->foregroundChanged_);
            return;
        }
        if (hook != watch->created_.Get() && hook != watch->renamed_.Get())
            continue;
        // Only the windows themselves, not their parts (a caret, a scroll bar).
        if (idObject != OBJID_WINDOW || idChild != CHILDID_SELF || !wnd)
            return;
        // A destroyed window can no longer say where it was: it may have
        // been a top-level one. Every other event counts for those alone.
        if (event == EVENT_OBJECT_DESTROY ? ::IsWindow(wnd) && !IsTopLevel(wnd) : !IsTopLevel(wnd))
            return;
        watch->Changed(watch->windowsChanged_);
        return;
    }
}

} // namespace staywick
