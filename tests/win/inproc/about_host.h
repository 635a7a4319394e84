#pragma once
// A stand-in for the main window that hosts the About window's controls and
// forwards its messages to it, as the real main window does.
#include "app/about_window.h"
#include "ui/window.h"

#include <windows.h>

namespace staywick::test {

class HostWindow : public Window {
public:
    explicit HostWindow(HWND owner) {
        RegisterWindowClass(L"StaywickAboutTestHost", 0, nullptr,
                            ::GetSysColorBrush(COLOR_BTNFACE));
        Create(WS_EX_DLGMODALFRAME, L"StaywickAboutTestHost", L"Main",
               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, 400, 300, owner);
    }
    ~HostWindow() override { Destroy(); }
    TAboutWindow* about = nullptr;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if (about && about->HandleMessage(msg, wParam, lParam, result))
            return result;
        return DefaultHandling(msg, wParam, lParam);
    }
};

} // namespace staywick::test
