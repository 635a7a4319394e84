#include "ui/dialog.h"

#include "common/app_error.h"
#include "common/scope_exit.h"
#include "common/win32/placement_win32.h"
#include "ui/common_controls.h"
#include "ui/dialog_support.h"
#include "ui/dpi.h"
#include "ui/error_report.h"
#include "ui/shown_text.h"
#include "ui/text_fit.h"

namespace staywick {

Dialog::~Dialog() {
    Destroy();
}

void Dialog::Create(UINT templateId, HWND owner, const wchar_t* failure) {
    owner_ = owner;
    // The templates hold common controls (the up-down control, themed buttons).
    LoadCommonControls();
    ::CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(templateId), owner,
                         &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
    if (!hwnd_)
        throw AppError(failure);
}

void Dialog::Destroy() {
    if (hwnd_) {
        DetachLook(hwnd_);
        ::DestroyWindow(hwnd_);
    }
}

int Dialog::ShowModal(Application& app) {
    result_.reset();
    app_ = &app;
    const ScopeExit forget([this] { app_ = nullptr; });
    PrepareToShow();
    return RunModal(app, hwnd_, owner_, result_);
}

void Dialog::PrepareToShow() {
    PlaceNearTaskbar(hwnd_);
}

bool Dialog::HandleLook(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    return HandleDialogLookMessage(hwnd_, msg, wParam, lParam, result);
}

INT_PTR Dialog::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR look = 0;
    if (HandleLook(msg, wParam, lParam, look))
        return look;
    switch (msg) {
    case WM_INITDIALOG: {
        DisableDialogAutoScaling(hwnd_);
        ShowTemplateTexts(hwnd_);
        PrepareControls();
        Layout(WindowDpi(hwnd_));
        AttachLook(hwnd_);
        const bool systemFocus = FillControls();
        // After the content: filling may change texts (the lists, the notes).
        FitControlsToTexts(hwnd_, WindowDpi(hwnd_));
        return systemFocus ? TRUE : FALSE;
    }
    case WM_SETTINGCHANGE:
        // Larger or smaller system text: the fonts and the layout anew.
        if (wParam == SPI_SETNONCLIENTMETRICS)
            LayOut(WindowDpi(hwnd_));
        return HandleMessage(msg, wParam, lParam);
    case WM_DPICHANGED: {
        LayOut(LOWORD(wParam));
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }
    default:
        return HandleMessage(msg, wParam, lParam);
    }
}

void Dialog::LayOut(UINT dpi) {
    Layout(dpi);
    FitControlsToTexts(hwnd_, dpi);
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
    RunGuarded([&] { result = self->Dispatch(msg, wParam, lParam); });
    return result;
}

} // namespace staywick
