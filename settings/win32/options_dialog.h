#pragma once
// TFrmOptions: the Options dialog (key to simulate, maximum idle time,
// notifying the system), and the tray handler that opens it.
#include "app/dialog_support.h"
#include "platform/win32/handles.h"
#include "app/application.h"
#include "engine/staywick_options.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace staywick {

class TFrmOptions {
public:
    // Creates the dialog (hidden) owned by `owner` and fills it from
    // `options` (FormCreate). `appWindow` is the application window whose
    // taskbar presence the dialog turns off; `releaseAwakeState` runs when
    // OK switches "Notify the system that it is in use" off.
    TFrmOptions(HWND owner, TStaywickOptions& options, HWND appWindow,
                std::function<void()> releaseAwakeState);
    ~TFrmOptions();
    TFrmOptions(const TFrmOptions&) = delete;
    TFrmOptions& operator=(const TFrmOptions&) = delete;

    HWND Handle() const noexcept { return hwnd_; }

    // Places the dialog (FormShow), shows it modally inside the application's
    // loop and returns IDOK (1) or IDCANCEL (2).
    int ShowModal(Application& app);

    void FormCreate();
    void BtnOkClick();
    void FormShow();
    void SpinDontSleepChange();

private:
    friend INT_PTR CALLBACK DialogProcFor<TFrmOptions>(HWND dlg, UINT msg, WPARAM wParam,
                                                   LPARAM lParam);
    static LRESULT CALLBACK SpinEditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);
    void Layout(UINT dpi);
    std::wstring SpinText() const;
    void SetSpinText(const std::wstring& text);
    void StepSpin(int delta);

    HWND hwnd_ = nullptr;
    HWND owner_;
    TStaywickOptions& options_;
    HWND appWindow_;
    std::function<void()> releaseAwakeState_;
    std::wstring decimalSeparator_;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    win32::FontHandle font_;      // 15 px at 120 dpi
    win32::FontHandle smallFont_; // 13 px, the explanatory texts
    std::optional<int> result_;
};

// The open Options dialog; empty while none exists.
extern TFrmOptions* FrmOptions;

// What the opener needs from the main window.
struct OptionsDialogHost {
    Application& app;
    TStaywickOptions& options; // StaywickOptions
    HWND owner;                // the main window
    std::function<void()> saveOptions;
    std::function<void(std::uint32_t)> setMainTimerInterval; // TimerMain.Interval := ...
    std::function<void()> releaseAwakeState;
};

// The tray menu's "&Options..." handler: brings an open dialog forward, or
// opens a new one and, on OK, saves the settings and re-arms TimerMain at
// 5000 ms. A failed save propagates to the caller's error report; the dialog
// is released on every path.
void SetMaximumsystemidletime1Click(const OptionsDialogHost& host);

} // namespace staywick
