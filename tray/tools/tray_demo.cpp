// Shows the tray icon and, on request, its open menu, for screenshots of the
// looks: tray_demo <font file> <glyph 0|1> [none|menu|submenu] [milliseconds]
// The colour modes come from the registry as in the program.
#include "tray/win32/glyph_list.h"
#include "tray/win32/main_tray_menu.h"
#include "tray/win32/tray_appearance.h"
#include "tray/win32/tray_icon.h"
#include "tray/win32/visual_style.h"

#include <windows.h>

#include <cwchar>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace staywick;

namespace {

std::string Narrow(const wchar_t* text) {
    std::string out;
    for (; *text; ++text)
        out.push_back(static_cast<char>(*text));
    return out;
}

HWND menuWindow() {
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND wnd, LPARAM out) -> BOOL {
            wchar_t cls[16] = {};
            ::GetClassNameW(wnd, cls, 16);
            if (::lstrcmpW(cls, L"#32768") == 0 && ::IsWindowVisible(wnd)) {
                *reinterpret_cast<HWND*>(out) = wnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

bool openSubmenu = false;
DWORD endAt = 0;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    static int step = 0;
    HWND menu = menuWindow();
    if (menu && openSubmenu && step < 4) {
        // Down to "&Activate for" and open it; then down to "30 Minutes".
        const WPARAM keys[] = {VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN};
        ::PostMessageW(menu, WM_KEYDOWN, keys[step++], 0);
    }
    if (::GetTickCount() >= endAt) {
        ::EndMenu();
        ::PostQuitMessage(0);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3)
        return 2;
    std::ifstream in(Narrow(argv[1]), std::ios::binary);
    std::vector<char> font{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    TFontImages fonts;
    if (!fonts.Add(font.data(), font.size()))
        return 3;
    const int glyph = _wtoi(argv[2]);
    const std::wstring mode = argc > 3 ? argv[3] : L"none";
    const DWORD duration = argc > 4 ? static_cast<DWORD>(_wtoi(argv[4])) : 4000;

    HWND app = ::CreateWindowExW(0, L"STATIC", L"Staywick", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 nullptr, nullptr);
    TMainTrayMenu menu;
    TGlyphList icons(L"Glyphter", L"CD", 20, 20);
    TTrayIcon tray(app);
    TTrayAppearance appearance(icons, tray, &menu, static_cast<int>(::GetDpiForSystem()));
    tray.PopupMenu = &menu;
    appearance.SetVisualStyle();
    tray.SetVisible(true);
    const std::wstring status =
        glyph ? L"&Staywick is active (30 minutes)" : L"&Staywick is disabled";
    menu.SetStatus(glyph != 0, status);
    menu.SetActivateForChecked(glyph ? 5 : 0, true);
    tray.SetHint(status);
    appearance.UpdateTrayIcon(glyph);

    endAt = ::GetTickCount() + duration;
    openSubmenu = mode == L"submenu";
    ::SetTimer(nullptr, 0, 150, &Tick);
    if (mode != L"none") {
        // As the shell reports a right-click near the clock.
        ::SetCursorPos(990, 745);
        ::PostMessageW(tray.NotificationWindow(), kTrayCallbackMessage, tray.Record().uID,
                       WM_RBUTTONUP);
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    tray.SetVisible(false);
    ::DestroyWindow(app);
    return 0;
}
