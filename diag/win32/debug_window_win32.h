#pragma once
// The debug window "DebugWnd" of the "/D" switch: a plain window of class
// "MyDebugWnd" with a multi-line "EDIT" child that fills its client area.
#include "common/win32/handles.h"
#include "diag/debug_writer.h"
#include "ui/window.h"

#include <functional>
#include <string>

namespace staywick {

class DebugWindowWin32 : public DebugWindowPort, private Window {
public:
    // `owner` is the application window.
    explicit DebugWindowWin32(HWND owner) : owner_(owner) {}
    ~DebugWindowWin32() override;

    bool Exists() const override { return Handle() != nullptr; }
    void Create() override;
    void ReplaceSelection(const std::wstring& text) override;
    void MakeTopmost() override;
    void Clear() override;
    void Destroy() override;
    void Beep() override;

    HWND WindowHandle() const { return Handle(); }
    HWND Edit() const { return edit_; }

    // Run when the window is destroyed (its close box, or the program's end).
    std::function<void()> OnDestroyed;

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    HWND owner_;
    HWND edit_ = nullptr;
    win32::FontHandle font_;
};

} // namespace staywick
