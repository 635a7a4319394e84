// Drives the running Staywick's tray for the screenshot script, one step at a
// time, and prints the rectangle to crop ("left top width height").
//   tray_shots icon     waits for the icon; prints the right end of the taskbar
//   tray_shots menu     opens the menu with a real right-click and its "Activate
//                       for" submenu by keyboard; prints the box of the menus and icon
//   tray_shots close    closes an open menu with Escape
// Exit code 0 when the step worked, 1 otherwise.
#include "win/common/process_helpers.h"
#include "win/common/tray_driver.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>

using namespace staywick::test;

namespace {

int Print(const RECT& r) {
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

DWORD ProgramId() {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(WaitForMainWindow(10000), &pid);
    return pid;
}

int Icon() {
    const auto seen = WaitForTrayIcon(true, 10000);
    const auto area = NotificationArea();
    if (!seen || !area)
        return 1;
    ::Sleep(500); // the glyph follows the first status update
    // The right end of the taskbar, the same size in every shot.
    return Print({area->right - 64, area->top, area->right, area->bottom});
}

int Menu() {
    const DWORD pid = ProgramId();
    const auto seen = WaitForTrayIcon(true, 10000);
    if (!seen)
        return 1;
    // The pointer leaves the icon at once, so that the icon's tip stays out of the picture.
    const POINT c = seen->Centre();
    const std::string click =
        "mousemove " + std::to_string(c.x) + " " + std::to_string(c.y) + " click 3 mousemove 40 40";
    if (!Xdotool(click))
        return 1;
    if (!WaitUntil(3000, [&] { return VisibleMenus(pid).size() == 1; }))
        return 1;
    // "A" is shared with "About": it selects "Activate for", Right opens it.
    PressKey('A');
    PressKey(VK_RIGHT);
    if (!WaitUntil(3000, [&] { return VisibleMenus(pid).size() == 2; }))
        return 1;
    for (int i = 0; i < 4; ++i)
        PressKey(VK_DOWN); // onto "30 Minutes"
    ::Sleep(500);
    RECT box = WaitForTrayIcon(true, 1000)->bounds;
    for (HWND menu : VisibleMenus(pid)) {
        RECT r;
        ::GetWindowRect(menu, &r);
        ::UnionRect(&box, &box, &r);
    }
    const auto area = NotificationArea();
    if (area)
        box.bottom = std::max(box.bottom, area->bottom);
    return Print({box.left - 8, box.top - 8, box.right, box.bottom});
}

int Close() {
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    if (std::wcscmp(argv[1], L"icon") == 0)
        return Icon();
    if (std::wcscmp(argv[1], L"menu") == 0)
        return Menu();
    if (std::wcscmp(argv[1], L"close") == 0)
        return Close();
    return 2;
}
