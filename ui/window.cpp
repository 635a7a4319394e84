#include "ui/window.h"

#include "ui/error_report.h"

namespace staywick {

Window::~Window() {
    Destroy();
}

void Window::RegisterWindowClass(const wchar_t* className, UINT style, HICON icon,
                                 HBRUSH background) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = &Window::StaticWndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hIcon = icon;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    ::RegisterClassExW(&wc);
}

HWND Window::Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                    int x, int y, int width, int height, HWND owner, HMENU menu) {
    return ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, owner, menu,
                             ::GetModuleHandleW(nullptr), this);
}

void Window::Destroy() {
    if (hwnd_) {
        ::DestroyWindow(hwnd_);
    }
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(msg, wParam, lParam);
}

LRESULT CALLBACK Window::StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = wnd;
    }
    if (!self) {
        return ::DefWindowProcW(wnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    RunGuarded([&] { result = self->HandleMessage(msg, wParam, lParam); });
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

} // namespace staywick
