#include "tray/win32/end_countdown_window.h"

#include "common/decimal_text.h"
#include "common/text_functions.h"
#include "resources/resource.h"
#include "ui/dialog_support.h"
#include "ui/window_utils.h"

namespace staywick {

namespace {

constexpr UINT kDesignDpi = 120;
constexpr int kClientWidth = 300;
constexpr int kClientHeight = 90;

constexpr DesignedBox kLayout[] = {
    {IDC_ENDCOUNT_TEXT, 10, 15, 280, 20},
    {IDCANCEL, 195, 50, 95, 30},
};

// One whole sentence per action, with the seconds as %1.
UINT SentenceOf(EndAction action) {
    switch (action) {
    case EndAction::Lock:
        return IDS_ENDCOUNT_LOCK;
    case EndAction::Sleep:
        return IDS_ENDCOUNT_SLEEP;
    case EndAction::Hibernate:
        return IDS_ENDCOUNT_HIBERNATE;
    case EndAction::ShutDown:
        return IDS_ENDCOUNT_SHUTDOWN;
    default:
        return IDS_ENDCOUNT_SLEEP;
    }
}

} // namespace

TFrmEndCountdown::TFrmEndCountdown(HWND owner) {
    Create(IDD_ENDCOUNT, owner, L"Cannot create the countdown window");
}

TFrmEndCountdown::~TFrmEndCountdown() {
    Destroy();
}

void TFrmEndCountdown::Show(EndAction action, std::int32_t secondsLeft) {
    ::SetDlgItemTextW(
        hwnd_, IDC_ENDCOUNT_TEXT,
        ReplaceAllNoCase(LoadResString(SentenceOf(action)), L"%1", DecimalText(secondsLeft))
            .c_str());
    if (::IsWindowVisible(hwnd_))
        return;
    PrepareToShow();
    ::ShowWindow(hwnd_, SW_SHOW);
    BringForward(hwnd_);
    ::SetFocus(::GetDlgItem(hwnd_, IDCANCEL));
}

void TFrmEndCountdown::Hide() {
    ::ShowWindow(hwnd_, SW_HIDE);
}

INT_PTR TFrmEndCountdown::HandleMessage(UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        if (OnCancel)
            OnCancel();
        return TRUE;
    }
    return FALSE;
}

void TFrmEndCountdown::Layout(UINT dpi) {
    LayOutDialog(hwnd_, {L"Segoe UI", 15, kLayout, kClientWidth, kClientHeight, kDesignDpi}, font_,
                 dpi);
}

EndCountdownWindowView::EndCountdownWindowView(Application& app, HWND owner,
                                               EndActionCountdown& countdown)
    : app_(app), owner_(owner), countdown_(countdown) {}

EndCountdownWindowView::~EndCountdownWindowView() {
    if (window_)
        app_.RemoveDialogWindow(window_->Handle());
}

void EndCountdownWindowView::ShowCountdown(EndAction action, std::int32_t secondsLeft) {
    if (!window_) {
        window_ = std::make_unique<TFrmEndCountdown>(owner_);
        window_->OnCancel = [this] { countdown_.Cancel(); };
        app_.AddDialogWindow(window_->Handle());
    }
    window_->Show(action, secondsLeft);
}

void EndCountdownWindowView::CloseCountdown() {
    if (window_)
        window_->Hide();
}

} // namespace staywick
