#include "app/main_window.h"

#include "app/error_report.h"
#include "common/app_names.h"
#include "common/win32/append_line.h"
#include "diag/command_line.h"
#include "diag/log_lines.h"
#include "settings/settings_file.h"

namespace staywick {

TFrmStaywickMain::TFrmStaywickMain(Application& app, std::wstring commandLine)
    : app_(app), commandLine_(std::move(commandLine)), files_(app.Handle()),
      input_(app.Handle(), [&app] { app.ProcessMessages(); }), debugWindow_(app.Handle()) {
    RegisterWindowClass(kMainWindowClass, 0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE));
    // Owned by the application window, so it has no taskbar button of its own.
    Create(WS_EX_DLGMODALFRAME, kMainWindowClass, L"Main",
           WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
           400, 300, app_.Handle());
    // The timers exist from the window's creation; TimerMain runs at 5000 ms.
    RunGuarded([this] {
        controller_ = std::make_unique<KeepAwakeController>(
            StaywickOptions, static_cast<KeepAwakeView&>(*this),
            static_cast<InputPower&>(input_), static_cast<TickDiagnostics&>(*this),
            [this] { SaveOptions(); },
            KeepAwakeTimerPorts{mainTimerPort_, countDownTimerPort_, debugTimerPort_});
        controller_->TimerDebug.SetOnTimer([this] { TimerDebugTimer(); });
    });
    RunGuarded([this] { FormCreate(); });
}

TFrmStaywickMain::~TFrmStaywickMain() {
    app_.SetOnMessage({});
    Destroy();
}

void TFrmStaywickMain::FormCreate() {
    if (!controller_) return;  // its timers could not start; already reported
    app_.SetOnMessage([this](const MSG& msg, bool& handled) {
        if (controller_) controller_->OnAppMessage(msg.message, msg.wParam, handled);
    });
    logEnabled_ = false;
    // The About window's fields are filled here.
    sMainIniFile = location_.GetIniFile();
    StaywickOptions = staywick::LoadOptions(profile_, sMainIniFile);
    controller_->SelectItemActivateForStatus(StaywickOptions.ActivateFor);
    ::PostMessageW(Handle(), kWmAppLoaded, 0, 0);
}

void TFrmStaywickMain::AppLoaded() {
    // The visual style and the tray icon come first.
    const DiagnosticSwitch diagnostic = SwitchFromCommandLine(commandLine_);
    if (diagnostic == DiagnosticSwitch::Debug) controller_->TimerDebug.SetEnabled(true);
    if (diagnostic == DiagnosticSwitch::Log) {
        logEnabled_ = true;
        logFileName_ = LogFileNameFor(location_.GetIniFile());
        // The header shows Active as loaded, before resumption can change it.
        AppendLog(LogHeaderStars());
        AppendLog(LogHeaderActive(StaywickOptions.Active));
        AppendLog(LogHeaderMaxSleep(StaywickOptions.SleepMax));
    }
    controller_->ResumeIfAutoStopped();
    controller_->UpdateActiveStatus();
    if (StaywickOptions.Active) controller_->TimerMainTimer();
}

void TFrmStaywickMain::PrevInstance() {}

void TFrmStaywickMain::FormDestroy() {
    input_.ReleaseAwakeState();
    // The tray icon is removed here.
    if (CreatedMutex) {
        ::CloseHandle(CreatedMutex);
        CreatedMutex = nullptr;
    }
}

void TFrmStaywickMain::SaveOptions() { staywick::SaveOptions(profile_, sMainIniFile, StaywickOptions); }

void TFrmStaywickMain::TimerDebugTimer() {
    DebugWrite(FormatIdleTime(input_.GetIdleMilliseconds()));
}

void TFrmStaywickMain::AppendLog(const std::wstring& line) { AppendLineToFile(logFileName_, line); }

void TFrmStaywickMain::DebugWrite(const std::wstring& line) { staywick::DebugWrite(debugWindow_, line); }

void TFrmStaywickMain::SetStatusChecked(bool checked) { statusChecked_ = checked; }

void TFrmStaywickMain::SetStatusCaption(const std::wstring& caption) { statusCaption_ = caption; }

void TFrmStaywickMain::SetActivateForChecked(std::size_t position, bool checked) {
    if (position < activateForChecked_.size()) activateForChecked_[position] = checked;
}

void TFrmStaywickMain::SetTrayTip(const std::wstring& tip) { trayTip_ = tip; }

void TFrmStaywickMain::UpdateTrayIcon(std::int32_t) {}

LRESULT TFrmStaywickMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case kWmAppLoaded:
        AppLoaded();
        return 0;
    case kWmPrevInstance:
        PrevInstance();
        return 0;
    case WM_DESTROY:
        // Closing the main window always ends the application.
        RunGuarded([this] { FormDestroy(); });
        app_.Terminate();
        return 0;
    default:
        return DefaultHandling(msg, wParam, lParam);
    }
}

} // namespace staywick
