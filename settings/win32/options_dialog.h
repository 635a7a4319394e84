#pragma once
// TFrmOptions: the Options dialog (key to simulate, maximum idle time,
// notifying the system, and the later choices below them), and the tray
// handler that opens it.
#include "common/win32/handles.h"
#include "engine/automatic_options.h"
#include "engine/policy.h"
#include "engine/staywick_options.h"
#include "ui/application.h"
#include "ui/dialog.h"
#include "settings/win32/automatic_dialog.h"
#include "ui/dialog_support.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace staywick {

class TFrmOptions : public Dialog {
public:
    // Creates the dialog (hidden) owned by `owner` and fills it from
    // `options` (FormCreate); OK writes the choices back. `appWindow` is the
    // application window whose taskbar presence the dialog turns off. The
    // choices that `policy` sets show its values, greyed out, and OK leaves
    // the user's own values of them in the record.
    TFrmOptions(HWND owner, TStaywickOptions& options, HWND appWindow, StaywickPolicy policy = {});
    ~TFrmOptions() override;

    // Shows the "Automatic..." button, which edits a copy of `record`; OK
    // copies that back. Without this call the button stays hidden.
    void EditAutomatic(AutomaticOptions& record, RunningProcesses running);

    // ShowModal places the dialog near the taskbar, shows it inside the
    // application's loop and returns IDOK (1) or IDCANCEL (2).

    // "When it ends" lists "Hibernate" only where the system has it.
    void OfferHibernate(bool offered);

    void FormCreate();
    void BtnOkClick();
    void SpinDontSleepChange();

private:
    static LRESULT CALLBACK SpinEditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    void PrepareControls() override;
    bool FillControls() override;
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id, int code);
    void Layout(UINT dpi) override;
    // LidClosedAwake as the list shows it.
    std::int32_t LidChoiceShown() const;
    std::wstring SpinText() const;
    void SetSpinText(const std::wstring& text);
    void StepSpin(int delta);
    void FillEndActions();

    TStaywickOptions& options_;
    HWND appWindow_;
    StaywickPolicy policy_;
    std::wstring decimalSeparator_;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    win32::FontHandle font_;      // 15 px at 120 dpi
    win32::FontHandle smallFont_; // 13 px, the explanatory texts
    AutomaticOptions* automaticRecord_ = nullptr;
    AutomaticOptions automaticChosen_; // what the Automatic dialog confirmed last
    RunningProcesses runningProcesses_;
    bool offerHibernate_ = true;
};

// The open Options dialog; empty while none exists.
extern TFrmOptions* FrmOptions;

// What the opener needs from the main window.
struct OptionsDialogHost {
    Application& app;
    TStaywickOptions& options; // StaywickOptions
    HWND owner;                // the main window
    // Runs after OK with the "Notify the system" in force before the dialog
    // (as the policies made it): the keep-awake controller saves and
    // re-arms from there.
    std::function<void(bool notifySystemWasOn)> confirmed;
    // The policies in force; none when null.
    const StaywickPolicy* policy = nullptr;
    // The settings of keeping awake by itself, edited through the
    // "Automatic..." button and changed on OK; no button when null.
    AutomaticOptions* automatic = nullptr;
    RunningProcesses runningProcesses{};
    // Whether the system offers hibernation, asked when the dialog opens;
    // offered when null.
    std::function<bool()> canHibernate{};
};

// The tray menu's "&Options..." handler: brings an open dialog forward, or
// opens a new one and, on OK, hands over to `confirmed`. An error there
// propagates to the caller's error report; the dialog is released on every path.
void SetMaximumsystemidletime1Click(const OptionsDialogHost& host);

} // namespace staywick
