// Opens the running Staywick's windows one step at a time for the screenshot
// script, and prints the outer rectangle of the window it opened
// ("left top width height") so that the script can crop the picture.
//   windows_driver options   the Options dialog, from the tray menu
//   windows_driver cancel    cancels the open Options dialog
//   windows_driver automatic the Automatic dialog, from the open Options dialog
//   windows_driver back      cancels the open Automatic dialog
//   windows_driver about     the About window, from the tray menu
//   windows_driver license   the license dialog, from the About window's link
//   windows_driver ok        closes the open license dialog
//   windows_driver while     the "While a program runs..." dialog, from the
//                            "Activate for" submenu
//   windows_driver nowhile   cancels the open "While a program runs" dialog
//   windows_driver for       the "For..." dialog, from the "Activate for" submenu
//   windows_driver nofor     cancels the open "For" dialog
//   windows_driver traymenu  the tray menu open (prints the rectangle around it)
//   windows_driver whenitends the tray menu open at "&When it ends" (prints the
//                            rectangle around the open menus)
//   windows_driver nomenu    closes the open menus
//   windows_driver endcount  waits (up to 3 minutes) for the countdown window
//                            of a session's end
//   windows_driver noendcount cancels the countdown window
//   windows_driver until     the "Until..." dialog, from the "Activate for" submenu
//   windows_driver nountil   cancels the open "Until" dialog
// With STAYWICK_PSEUDO_LOCALE set, the captions are looked for in the
// pseudo-locale.
// Exit code 0 when the window is there, 1 otherwise.
#include "common/pseudo_text.h"
#include "resources/resource.h"
#include "win/common/process_helpers.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

using namespace staywick::test;

namespace {

constexpr int kMenuOptions = 3;
constexpr int kMenuAbout = 5;
constexpr int kMenuActivateFor = 2;

// A dialog's caption as the program shows it: in the pseudo-locale when the
// screenshots are taken in it (the variable reaches both programs).
const wchar_t* Title(const wchar_t* english) {
    static std::wstring shown;
    const wchar_t* pseudo = ::_wgetenv(L"STAYWICK_PSEUDO_LOCALE");
    shown = pseudo && *pseudo && std::wstring(pseudo) != L"0" ? staywick::PseudoText(english)
                                                              : std::wstring(english);
    return shown.c_str();
}

int Report(HWND wnd) {
    if (!wnd)
        return 1;
    ::Sleep(700); // let it paint
    RECT r{};
    ::GetWindowRect(wnd, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

constexpr UINT kTrayCallback = WM_USER + 1;

// The rectangle around the program's open menus.
int ReportMenus(DWORD pid) {
    ::Sleep(700); // let them paint
    RECT all{};
    bool any = false;
    for (HWND menu : ProcessWindows(pid, L"#32768")) {
        if (!::IsWindowVisible(menu))
            continue;
        RECT r{};
        ::GetWindowRect(menu, &r);
        if (any) {
            ::UnionRect(&all, &all, &r);
        } else {
            all = r;
            any = true;
        }
    }
    if (!any)
        return 1;
    std::printf("%ld %ld %ld %ld\n", all.left, all.top, all.right - all.left, all.bottom - all.top);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    HWND main = WaitForMainWindow(10000);
    if (!main)
        return 1;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(main, &pid);
    const std::wstring step = argv[1];
    if (step == L"options") {
        if (!ChooseTrayMenuItem(pid, kMenuOptions))
            return 1;
        return Report(WaitForProcessWindow(pid, L"#32770", Title(L"Options"), 5000));
    }
    if (step == L"cancel") {
        for (HWND dlg : ProcessWindows(pid, L"#32770", Title(L"Options"))) {
            ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
        }
        return 0;
    }
    if (step == L"while") {
        // Up from the submenu's first item reaches its last one, "&When it
        // ends"; once more "For...", and once more the item before it.
        if (!ChooseTraySubmenuItem(pid, kMenuActivateFor, 3))
            return 1;
        return Report(WaitForProcessWindow(pid, L"#32770", Title(L"While a program runs"), 5000));
    }
    if (step == L"nowhile") {
        for (HWND dlg : ProcessWindows(pid, L"#32770", Title(L"While a program runs"))) {
            ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
        }
        return 0;
    }
    if (step == L"until") {
        if (!ChooseTraySubmenuItem(pid, kMenuActivateFor, 3))
            return 1;
        return Report(WaitForProcessWindow(pid, L"#32770", Title(L"Until"), 5000));
    }
    if (step == L"nountil") {
        for (HWND dlg : ProcessWindows(pid, L"#32770", Title(L"Until"))) {
            ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
        }
        return 0;
    }
    if (step == L"for") {
        if (!ChooseTraySubmenuItem(pid, kMenuActivateFor, 2))
            return 1;
        return Report(WaitForProcessWindow(pid, L"#32770", Title(L"For"), 5000));
    }
    if (step == L"traymenu") {
        HWND notify = TrayNotifyWindow(pid);
        if (!notify)
            return 1;
        ::PostMessageW(notify, kTrayCallback, 0, WM_RBUTTONUP);
        if (!WaitUntil(5000, [&] { return VisibleMenuWindow(pid) != nullptr; }))
            return 1;
        return ReportMenus(pid);
    }
    if (step == L"whenitends") {
        HWND notify = TrayNotifyWindow(pid);
        if (!notify)
            return 1;
        ::PostMessageW(notify, kTrayCallback, 0, WM_RBUTTONUP);
        HWND menu = nullptr;
        if (!WaitUntil(5000, [&] { return (menu = VisibleMenuWindow(pid)) != nullptr; }))
            return 1;
        // "&Activate for", its last item "&When it ends", and that one opened.
        for (WPARAM key :
             {WPARAM{VK_DOWN}, WPARAM{VK_DOWN}, WPARAM{VK_RIGHT}, WPARAM{VK_UP}, WPARAM{VK_RIGHT}})
            ::PostMessageW(menu, WM_KEYDOWN, key, 0);
        const auto open = [pid] {
            int n = 0;
            for (HWND m : ProcessWindows(pid, L"#32768"))
                n += ::IsWindowVisible(m) ? 1 : 0;
            return n;
        };
        if (!WaitUntil(5000, [&] { return open() >= 3; }))
            return 1;
        return ReportMenus(pid);
    }
    if (step == L"nomenu") {
        for (int i = 0; i < 3; ++i) {
            if (HWND menu = VisibleMenuWindow(pid))
                ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            ::Sleep(200);
        }
        return 0;
    }
    if (step == L"endcount")
        return Report(WaitForProcessWindow(pid, L"#32770", L"Staywick", 180000));
    if (step == L"noendcount") {
        for (HWND dlg : ProcessWindows(pid, L"#32770", L"Staywick")) {
            ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
        }
        return 0;
    }
    if (step == L"nofor") {
        for (HWND dlg : ProcessWindows(pid, L"#32770", Title(L"For"))) {
            ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
        }
        return 0;
    }
    if (step == L"automatic") {
        const auto options = ProcessWindows(pid, L"#32770", Title(L"Options"));
        if (options.empty())
            return 1;
        ::PostMessageW(options.front(), WM_COMMAND, MAKEWPARAM(IDC_OPT_AUTOMATIC, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(options.front(), IDC_OPT_AUTOMATIC)));
        return Report(WaitForProcessWindow(pid, L"#32770", Title(L"Automatic"), 5000));
    }
    if (step == L"back") {
        for (HWND dlg : ProcessWindows(pid, L"#32770", Title(L"Automatic"))) {
            ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
        }
        return 0;
    }
    if (step == L"about") {
        if (!ChooseTrayMenuItem(pid, kMenuAbout))
            return 1;
        return Report(WaitForWindowVisible(main, true, 5000) ? main : nullptr);
    }
    if (step == L"license") {
        HWND link = ::GetDlgItem(main, IDC_ABOUT_LICENSE);
        RECT rc{};
        ::GetClientRect(link, &rc);
        const LPARAM at = MAKELPARAM(4, rc.bottom / 2);
        ::PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(link, WM_LBUTTONUP, 0, at);
        return Report(WaitForProcessWindow(pid, L"#32770", Title(L"License Agreement"), 10000));
    }
    if (step == L"ok") {
        for (HWND dlg : ProcessWindows(pid, L"#32770", Title(L"License Agreement"))) {
            ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0); // Esc: OK is no default button
        }
        return 0;
    }
    return 2;
}
