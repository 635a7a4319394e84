#pragma once
// Base of the program's windows: a static window procedure keeps `this` in
// GWLP_USERDATA from WM_NCCREATE to WM_NCDESTROY and dispatches to the
// member handler, inside the standard error report.
#include <windows.h>

namespace staywick {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const noexcept { return hwnd_; }

    // Registers a class served by this wrapper; a second registration is harmless.
    static void RegisterWindowClass(const wchar_t* className, UINT style = 0, HICON icon = nullptr,
                                    HBRUSH background = nullptr);

protected:
    HWND Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x,
                int y, int width, int height, HWND owner, HMENU menu = nullptr);
    // Derived classes destroy their window in their own destructor, while
    // their members still exist.
    void Destroy();

    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) {
        return ::DefWindowProcW(hwnd_, msg, wParam, lParam);
    }

private:
    static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

} // namespace staywick
