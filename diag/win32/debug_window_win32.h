#pragma once
// The debug window "DebugWnd" of the "/D" switch: a plain window of class
// "MyDebugWnd" with a multi-line "EDIT" child that fills its client area.
#include "app/window.h"
#include "diag/debug_writer.h"
#include "platform/win32/handles.h"

#include <string>

namespace staywick {

class DebugWindowWin32 : public DebugWindowPort {
public:
    // `owner` is the application window.
    explicit DebugWindowWin32(HWND owner) : owner_(owner) {}
    ~DebugWindowWin32() override;

    bool Exists() const override { return window_ != nullptr; }
    void Create() override;
    void ReplaceSelection(const std::wstring& text) override;
    void MakeTopmost() override;
    void Clear() override;
    void Destroy() override;
    void Beep() override;

    HWND Window() const { return window_; }
    HWND Edit() const { return edit_; }

private:
    static LRESULT CALLBACK DebugWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND owner_;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
    win32::GdiObject font_;
};

} // namespace staywick
