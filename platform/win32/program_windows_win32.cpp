#include "platform/win32/program_windows_win32.h"

#include "common/win32/handles.h"
#include "common/win32/window_text.h"
#include "common/win32/process_image.h"
#include "platform/win32/on_demand.h"

#include <windows.h>

namespace staywick {

namespace {

// DWMWA_CLOAKED (Windows 8 and later): windows the shell keeps out of sight,
// such as suspended store apps, are visible to EnumWindows all the same.
constexpr DWORD kDwmwaCloaked = 14;
using GetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

bool Cloaked(HWND wnd, GetWindowAttributeFn getAttribute) {
    DWORD cloaked = 0;
    // Windows 7, and Wine, refuse the attribute: nothing is cloaked there.
    return getAttribute && SUCCEEDED(getAttribute(wnd, kDwmwaCloaked, &cloaked, sizeof(cloaked))) &&
           cloaked != 0;
}

std::wstring ProcessFileName(DWORD processId) {
    const std::wstring path = ProcessImagePath(processId);
    return path.empty() ? std::wstring() : FileNameOfPath(path);
}

struct Listing {
    std::vector<ProgramWindow> windows;
    GetWindowAttributeFn getAttribute = nullptr;
};

BOOL CALLBACK AddWindow(HWND wnd, LPARAM context) {
    auto& listing = *reinterpret_cast<Listing*>(context);
    // The desktop's own window ("Program Manager") is no program to wait for.
    if (wnd == ::GetShellWindow() || !::IsWindowVisible(wnd) || ::GetWindow(wnd, GW_OWNER) ||
        (::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        return TRUE;
    if (::GetWindowTextLengthW(wnd) <= 0)
        return TRUE;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(wnd, &processId);
    if (processId == ::GetCurrentProcessId() || Cloaked(wnd, listing.getAttribute))
        return TRUE;
    std::wstring title = WindowText(wnd);
    // A process of another user, or one that has just ended, has no name
    // here and cannot be waited for either.
    std::wstring fileName = ProcessFileName(processId);
    if (title.empty() || fileName.empty())
        return TRUE;
    listing.windows.push_back({std::move(title), std::move(fileName), processId});
    return TRUE;
}

} // namespace

std::vector<ProgramWindow> ProgramWindowsWin32::List() {
    Listing listing;
    // dwmapi only while the list is made, never at start-up.
    listing.getAttribute =
        win32::OnDemandFunction<GetWindowAttributeFn>(L"dwmapi.dll", "DwmGetWindowAttribute");
    ::EnumWindows(&AddWindow, reinterpret_cast<LPARAM>(&listing));
    return listing.windows;
}

} // namespace staywick
