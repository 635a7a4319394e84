#include "diag/win32/debug_window_win32.h"

namespace staywick {
namespace {

constexpr wchar_t kClassName[] = L"MyDebugWnd";
constexpr int kEditId = 1234;

int StartupShowCommand() {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    ::GetStartupInfoW(&si);
    return (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : SW_SHOWDEFAULT;
}

} // namespace

DebugWindowWin32::~DebugWindowWin32() { Destroy(); }

void DebugWindowWin32::Create() {
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &DebugWindowWin32::DebugWndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);  // fails harmlessly once registered

    // Device pixels, not scaled: the window is a diagnostic aid.
    window_ = ::CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE, kClassName, L"DebugWnd",
                                WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW,
                                0, 0, 450, 500, owner_, nullptr, ::GetModuleHandleW(nullptr), this);
    if (!window_) return;
    ::ShowWindow(window_, StartupShowCommand());
    ::UpdateWindow(window_);
}

void DebugWindowWin32::ReplaceSelection(const std::wstring& text) {
    ::SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void DebugWindowWin32::MakeTopmost() {
    ::SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void DebugWindowWin32::Clear() { ::SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"")); }

void DebugWindowWin32::Destroy() {
    if (window_) ::DestroyWindow(window_);
}

void DebugWindowWin32::Beep() { ::MessageBeep(0xFFFFFFFF); }

LRESULT CALLBACK DebugWindowWin32::DebugWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<DebugWindowWin32*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
    switch (msg) {
    case WM_NCCREATE:
        self = static_cast<DebugWindowWin32*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        break;
    case WM_CREATE: {
        self->edit_ = ::CreateWindowExW(
            WS_EX_CLIENTEDGE, L"EDIT", L"",
            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | WS_TABSTOP | ES_NOHIDESEL |
                ES_AUTOVSCROLL | ES_MULTILINE,
            0, 0, 0, 0, wnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)),
            ::GetModuleHandleW(nullptr), nullptr);
        // Tahoma 9 pt at the screen's resolution.
        HDC screen = ::GetDC(nullptr);
        const int height = -::MulDiv(9, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
        ::ReleaseDC(nullptr, screen);
        self->font_.Reset(::CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                        DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma"));
        ::SendMessageW(self->edit_, WM_SETFONT, reinterpret_cast<WPARAM>(self->font_.Get()), TRUE);
        return 0;
    }
    case WM_SIZE: {
        RECT rc;
        ::GetClientRect(wnd, &rc);
        ::SetWindowPos(self->edit_, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOMOVE | SWP_NOZORDER);
        return 0;
    }
    case WM_DESTROY:
        self->window_ = nullptr;
        self->edit_ = nullptr;
        self->font_.Reset();
        return 0;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

} // namespace staywick
