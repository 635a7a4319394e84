#pragma once
// TFrmEndCountdown: the small window near the taskbar that counts down the
// minute before the end of a session puts the computer to sleep, locks it,
// hibernates or shuts it down ("The computer will sleep in 60 s"). Cancel is
// the default button; Cancel, Esc and the close box cancel the action.
#include "common/win32/handles.h"
#include "engine/end_action_countdown.h"
#include "ui/application.h"
#include "ui/dialog.h"

#include <windows.h>

#include <functional>
#include <memory>

namespace staywick {

class TFrmEndCountdown : public Dialog {
public:
    // Creates the window hidden.
    explicit TFrmEndCountdown(HWND owner);
    ~TFrmEndCountdown() override;

    // Shows the window near the taskbar (or brings it forward) with the count.
    void Show(EndAction action, std::int32_t secondsLeft);
    void Hide();

    // Cancel, Esc or the close box.
    std::function<void()> OnCancel;

private:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Layout(UINT dpi) override;

    win32::FontHandle font_;
};

// The countdown's view: the window is made when first needed and registered
// with the application's loop, so Tab, Enter and Esc work in it.
class EndCountdownWindowView : public EndActionCountdownView {
public:
    EndCountdownWindowView(Application& app, HWND owner, EndActionCountdown& countdown);
    ~EndCountdownWindowView() override;

    void ShowCountdown(EndAction action, std::int32_t secondsLeft) override;
    void CloseCountdown() override;
    // The window while it exists (tests and screenshots).
    TFrmEndCountdown* Window() const noexcept { return window_.get(); }

private:
    Application& app_;
    HWND owner_;
    EndActionCountdown& countdown_;
    std::unique_ptr<TFrmEndCountdown> window_;
};

} // namespace staywick
