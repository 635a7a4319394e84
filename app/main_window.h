#pragma once
// TFrmStaywickMain: the hidden main window and hub of the program. It is
// never shown at start (it doubles as the About window) and owns the
// settings record, the timers, the controller, the tray and the diagnostics.
#include "app/application.h"
#include "app/window.h"
#include "diag/win32/debug_window_win32.h"
#include "engine/keep_awake_controller.h"
#include "engine/staywick_options.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/input_power_win32.h"
#include "platform/win32/profile_win32.h"
#include "platform/win32/timer_port_win32.h"
#include "settings/settings_location.h"

#include <array>
#include <memory>
#include <string>

namespace staywick {

class TFrmStaywickMain : public Window, private KeepAwakeView, private TickDiagnostics {
public:
    TFrmStaywickMain(Application& app, std::wstring commandLine);
    ~TFrmStaywickMain() override;

    // The single-instance mutex, closed by FormDestroy.
    HANDLE CreatedMutex = nullptr;
    TStaywickOptions StaywickOptions;
    std::wstring sMainIniFile;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void AppLoaded();
    void PrevInstance();
    void FormDestroy();
    void SaveOptions();
    void TimerDebugTimer();

    // KeepAwakeView: the tray's status item, durations, tip and glyph.
    void SetStatusChecked(bool checked) override;
    void SetStatusCaption(const std::wstring& caption) override;
    void SetActivateForChecked(std::size_t position, bool checked) override;
    void SetTrayTip(const std::wstring& tip) override;
    void UpdateTrayIcon(std::int32_t index) override;

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
    TimerPortWin32 mainTimerPort_, countDownTimerPort_, debugTimerPort_;
    std::unique_ptr<KeepAwakeController> controller_;
    DebugWindowWin32 debugWindow_;

    bool logEnabled_ = false;
    std::wstring logFileName_;

    // What the status item and durations show until the tray menu holds them.
    bool statusChecked_ = false;
    std::wstring statusCaption_;
    std::array<bool, 13> activateForChecked_{};
    std::wstring trayTip_ = L"Staywick";
};

} // namespace staywick
