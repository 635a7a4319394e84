#include "diag/win32/debug_window_win32.h"

#include "ui/common_controls.h"

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

DebugWindowWin32::~DebugWindowWin32() {
    Window::Destroy();
}

void DebugWindowWin32::Create() {
    RegisterWindowClass(kClassName, CS_HREDRAW | CS_VREDRAW, ::LoadIconW(nullptr, IDI_APPLICATION),
                        reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    // Device pixels, not scaled: the window is a diagnostic aid.
    HWND window =
        Window::Create(WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE, kClassName, L"DebugWnd",
                       WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW, 0, 0,
                       450, 500, owner_);
    if (!window)
        return;
    ::ShowWindow(window, StartupShowCommand());
    ::UpdateWindow(window);
}

void DebugWindowWin32::ReplaceSelection(const std::wstring& text) {
    ::SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void DebugWindowWin32::MakeTopmost() {
    ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void DebugWindowWin32::Clear() {
    ::SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
}

void DebugWindowWin32::Destroy() {
    Window::Destroy();
}

void DebugWindowWin32::Beep() {
    ::MessageBeep(0xFFFFFFFF);
}

LRESULT DebugWindowWin32::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: {
        // The manifest asks for the themed edit control, which the common
        // controls provide.
        LoadCommonControls();
        edit_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL |
                                      WS_TABSTOP | ES_NOHIDESEL | ES_AUTOVSCROLL | ES_MULTILINE,
                                  0, 0, 0, 0, Handle(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)),
                                  ::GetModuleHandleW(nullptr), nullptr);
        // Tahoma 9 pt at the screen's resolution.
        const win32::WindowDc screen(nullptr);
        const int height = -::MulDiv(9, ::GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
        font_.Reset(::CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH, L"Tahoma"));
        ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
        return 0;
    }
    case WM_SIZE: {
        RECT rc;
        ::GetClientRect(Handle(), &rc);
        ::SetWindowPos(edit_, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOMOVE | SWP_NOZORDER);
        return 0;
    }
    case WM_DESTROY:
        edit_ = nullptr;
        font_.Reset();
        if (OnDestroyed)
            OnDestroyed();
        return 0;
    default:
        return DefaultHandling(msg, wParam, lParam);
    }
}

} // namespace staywick
