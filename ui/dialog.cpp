#include "ui/dialog.h"

#include "ui/common_controls.h"
#include "ui/dialog_support.h"
#include "ui/error_report.h"

namespace staywick {

Dialog::~Dialog() {
    Destroy();
}

HWND Dialog::CreateFromTemplate(UINT templateId, HWND owner) {
    // The templates hold common controls (the up-down control, themed buttons).
    LoadCommonControls();
    return ::CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(templateId), owner,
                                &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

void Dialog::Destroy() {
    if (hwnd_) {
        DetachLook(hwnd_);
        ::DestroyWindow(hwnd_);
    }
}

INT_PTR CALLBACK Dialog::StaticDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(dlg, DWLP_USER));
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        ::SetWindowLongPtrW(dlg, DWLP_USER, lParam);
        self->hwnd_ = dlg;
    }
    if (!self)
        return FALSE;
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(dlg, DWLP_USER, 0);
        self->hwnd_ = nullptr;
        return FALSE;
    }
    INT_PTR result = FALSE;
    RunGuarded([&] {
        if (msg != WM_DPICHANGED) {
            result = self->HandleMessage(msg, wParam, lParam);
            return;
        }
        self->Layout(LOWORD(wParam));
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(dlg, nullptr, suggested->left, suggested->top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        result = TRUE;
    });
    return result;
}

} // namespace staywick
