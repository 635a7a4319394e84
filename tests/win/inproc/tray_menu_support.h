#pragma once
// Helpers for tests that open real popup menus: a thread timer that runs
// while the modal menu loop does, finds the open menu window and lets the
// test act on it, then closes the menu (Esc), so no test can hang.
#include <windows.h>

#include <functional>

namespace staywick::test {

// The visible popup-menu window of this process, or nullptr.
inline HWND FindOpenMenuWindow() {
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

// The fType of a menu item (MFT_SEPARATOR, MFT_OWNERDRAW, ...).
inline UINT MenuType(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoW(menu, position, TRUE, &info);
    return info.fType;
}

// Runs `step(tick, menuWindow)` every 100 ms while a menu call blocks; step
// returns false when it is done, after which the menu is closed. After 50
// ticks the menu is closed anyway.
class MenuDriver {
public:
    using Step = std::function<bool(int tick, HWND menuWindow)>;
    explicit MenuDriver(Step step) {
        Current() = this;
        step_ = std::move(step);
        timer_ = ::SetTimer(nullptr, 0, 100, &MenuDriver::OnTimer);
    }
    ~MenuDriver() {
        ::KillTimer(nullptr, timer_);
        Current() = nullptr;
    }
    MenuDriver(const MenuDriver&) = delete;
    MenuDriver& operator=(const MenuDriver&) = delete;

    bool SawMenu() const { return sawMenu_; }

private:
    static MenuDriver*& Current() {
        static MenuDriver* current = nullptr;
        return current;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        MenuDriver* self = Current();
        if (!self || self->done_)
            return;
        HWND menu = FindOpenMenuWindow();
        if (menu)
            self->sawMenu_ = true;
        ++self->tick_;
        const bool more = self->tick_ < 50 && self->step_(self->tick_, menu);
        if (!more) {
            self->done_ = true;
            if (menu) {
                ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
                ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            }
            ::EndMenu();
        }
    }

    Step step_;
    UINT_PTR timer_ = 0;
    int tick_ = 0;
    bool sawMenu_ = false;
    bool done_ = false;
};

} // namespace staywick::test
