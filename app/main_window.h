#pragma once
// TFrmStaywickMain: the hidden main window and hub of the program. It is
// never shown at start (it doubles as the About window) and owns the
// settings record, the timers, the controller, the tray and the diagnostics.
#include "app/about_window.h"
#include "app/automatic_parts.h"
#include "app/global_hotkey.h"
#include "app/program_parts.h"
#include "common/win32/handles.h"
#include "diag/win32/debug_window_win32.h"
#include "engine/staywick_options.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/input_power_win32.h"
#include "platform/win32/lid_close_action_win32.h"
#include "platform/win32/policy_store_win32.h"
#include "platform/win32/power_request_win32.h"
#include "platform/win32/power_status_win32.h"
#include "settings/win32/profile_win32.h"
#include "platform/win32/program_windows_win32.h"
#include "settings/lid_originals_file.h"
#include "platform/win32/system_actions_win32.h"
#include "tray/win32/end_countdown_window.h"
#include "tray/win32/tray_session_end_view.h"
#include "settings/settings_location.h"
#include "tray/win32/glyph_list.h"
#include "ui/application.h"
#include "ui/timer_port_win32.h"
#include "ui/window.h"

#include <memory>
#include <string>
#include <vector>

namespace staywick {

// WM_SETTINGCHANGE's lParam names the policy area ("Policy", any case).
bool IsPolicyChangeMessage(LPARAM lParam);

class TFrmStaywickMain : public Window, private TickDiagnostics {
public:
    TFrmStaywickMain(Application& app, std::wstring commandLine);
    ~TFrmStaywickMain() override;

    // The single-instance mutex, closed by FormDestroy.
    win32::KernelHandle CreatedMutex;
    TStaywickOptions StaywickOptions;
    std::wstring sMainIniFile;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateComponents();
    void CreateSessionEnds();
    void FormCreate();
    void AppLoaded();
    // What waits until the program is ready (after AppLoaded, at the first
    // idle moment, or before a command): the restart registration, the
    // watchers' window and the first look for listed programs.
    void AfterReady();
    void PrevInstance();
    void FormDestroy();
    void EndSession();
    void SaveOptions();
    void TimerDebugTimer();
    // A refused change of the lid-close action, said in a balloon once the
    // icon is there (main_window_commands.cpp).
    void LidProblemSaid(WPARAM problem);

    // Policies (main_window_policy.cpp): read at creation and again when
    // Group Policy announces a refresh.
    void ApplyPolicy(const StaywickPolicy& policy);
    void PolicyChanged();
    // The policy lines to the debug window and the log, when switched on.
    void WritePolicyLines(const std::vector<std::wstring>& lines);
    // Disabled: says why with "/L" or "/D", then closes the main window,
    // which ends the program (exit code 0) before any keep-awake; with "/D"
    // once the user has closed the debug window that shows why.
    void EndByPolicy();

    // Tray menu handlers (main_window_handlers.cpp).
    void SetMenuHandlers(TMainTrayMenu& menu);
    void SetMaximumsystemidletime1Click();
    void MnuDonateClick();
    void MnuAboutClick();
    TAboutWindow& AboutWindow(); // made on first use
    void MnuQuitClick();
    void MnuUntilClick();
    void MnuWhileClick();
    void MnuForClick();

    // Commands for the running instance, the hotkey (main_window_commands.cpp).
    LRESULT CommandReceived(HWND sender, const COPYDATASTRUCT* data);
    // Registers StaywickOptions.Hotkey; a refusal is reported in a balloon.
    void ApplyHotkey();
    void HotkeyPressed();

    // TickDiagnostics: the activity log and the debug window.
    bool LogEnabled() const override { return logEnabled_; }
    void AppendLog(const std::wstring& line) override;
    void DebugWrite(const std::wstring& line) override;

    Application& app_;
    std::wstring commandLine_;

    win32::Win32Files files_;
    win32::Win32Profile profile_;
    SettingsLocation location_{files_};
    InputPowerWin32 input_;
    ClockWin32 clock_;
    PowerRequestWin32 powerRequest_;
    PowerStatusWin32 powerStatus_;
    PolicyStoreWin32 policyStore_;
    ProgramWindowsWin32 programWindows_;
    // The lid-close action and the values found there, kept in the settings
    // file until they are back; the controller holds it in step.
    LidCloseActionWin32 lidAction_;
    LidOriginalsFile lidOriginals_{profile_, sMainIniFile};
    LidOverride lidOverride_{lidAction_, lidOriginals_};
    TimerPortWin32 mainTimerPort_, countDownTimerPort_, debugTimerPort_;
    SystemActionsWin32 systemActions_;
    TimerPortWin32 endCountdownTimerPort_, endWarningTimerPort_;

    TFontImages FontImages;
    std::unique_ptr<ProgramParts> parts_;
    std::unique_ptr<AutomaticParts> automatic_;
    // The end of a session: its action with the countdown window, the
    // warning balloon and "Extend".
    std::unique_ptr<TTraySessionEndView> sessionEndView_;
    std::unique_ptr<SessionEnds> sessionEnds_;
    std::unique_ptr<EndCountdownWindowView> endCountdownView_;
    AutomaticOptions automaticOptions_;
    std::unique_ptr<TAboutWindow> about_;
    DebugWindowWin32 debugWindow_;

    std::unique_ptr<GlobalHotkey> hotkey_;
    bool loaded_ = false;     // AppLoaded has run
    bool afterReady_ = false; // AfterReady has run
    bool logEnabled_ = false;
    std::wstring logFileName_;
    // The session ends, or Restart Manager closes the program.
    bool sessionEnding_ = false;
};

} // namespace staywick
