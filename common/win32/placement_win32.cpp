#include "common/win32/placement_win32.h"

namespace staywick {

namespace {

ScreenRect FromRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace

TTaskbarEdge GetTaskbarEdge() {
    std::optional<ScreenRect> taskbar;
    if (HWND tray = ::FindWindowW(L"Shell_TrayWnd", nullptr)) {
        RECT r{};
        ::GetWindowRect(tray, &r);
        taskbar = FromRect(r);
    }
    return TaskbarEdgeFor(taskbar, ::GetSystemMetrics(SM_CXSCREEN),
                          ::GetSystemMetrics(SM_CYSCREEN));
}

void PlaceNearTaskbar(HWND form) {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const TTaskbarEdge edge = GetTaskbarEdge();
    RECT outer{};
    ::GetWindowRect(form, &outer);
    const ScreenPoint at =
        PlacementFor(edge, FromRect(work), outer.right - outer.left, outer.bottom - outer.top);
    // Left first, then top, as two moves of the unchanged window.
    constexpr UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    ::SetWindowPos(form, nullptr, at.X, outer.top, 0, 0, flags);
    ::SetWindowPos(form, nullptr, at.X, at.Y, 0, 0, flags);
}

} // namespace staywick
