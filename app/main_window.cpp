#include "app/main_window.h"

#include "common/app_error.h"
#include "common/app_names.h"
#include "common/first_error.h"
#include "common/scope_exit.h"
#include "common/win32/append_line.h"
#include "common/win32/file_version.h"
#include "diag/command_line.h"
#include "diag/log_lines.h"
#include "resources/resource.h"
#include "settings/automatic_settings.h"
#include "settings/settings_file.h"
#include "ui/dpi.h"
#include "ui/error_report.h"

namespace staywick {

namespace {
constexpr wchar_t kBalloonTitle[] = L"Staywick is running near the tray";
constexpr wchar_t kBalloonText[] =
    L"You can drag it to near the clock if you wish to have it visible";
constexpr std::uint8_t kBalloonInfo = 1;
// Posted, so that a refusal at start-up is said once the icon is there.
constexpr UINT kWmLidProblem = WM_APP + 26;
} // namespace

TFrmStaywickMain::TFrmStaywickMain(Application& app, std::wstring commandLine)
    : app_(app), commandLine_(std::move(commandLine)), files_(app.Handle()),
      input_(app.Handle(), [&app] { app.ProcessMessages(); }), systemActions_(app.Handle()),
      debugWindow_(app.Handle()) {
    RegisterWindowClass(kMainWindowClass, 0,
                        ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_STAYWICK)),
                        ::GetSysColorBrush(COLOR_BTNFACE));
    // Owned by the application window, so it has no taskbar button of its own.
    Create(WS_EX_DLGMODALFRAME, kMainWindowClass, L"Main",
           WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, 400,
           300, app_.Handle());
    if (!Handle())
        throw AppError(L"Cannot create the main window");
    // A part that cannot be created ends the construction; the caller reports
    // it and ends the program (Application::RunMainWindow).
    CreateComponents();
    hotkey_ = std::make_unique<GlobalHotkey>(Handle());
    RunGuarded([this] { FormCreate(); });
}

TFrmStaywickMain::~TFrmStaywickMain() {
    app_.SetOnMessage({});
    app_.AfterFirstIdle({});
    if (parts_) {
        parts_->Controller.SetOneShotWaiter(nullptr);
        parts_->Controller.SetSessionEnds(nullptr);
    }
    endCountdownView_.reset();
    sessionEnds_.reset();
    automatic_.reset();
    hotkey_.reset();
    about_.reset();
    Destroy();
}

// The window's components: the carried glyph font, then the tray and its
// menu, the timers (TimerMain running at 5000 ms from here on) and the
// controller, connected as the program runs them.
void TFrmStaywickMain::CreateComponents() {
    // The font must be registered before the glyphs can be drawn.
    FontImages.AddResource(::GetModuleHandleW(nullptr), IDR_GLYPHTER_FONT);
    parts_ = BuildProgramParts(
        StaywickOptions,
        ProgramPorts{.applicationWindow = app_.Handle(),
                     .windowDpi = static_cast<int>(WindowDpi(Handle())),
                     .input = input_,
                     .diagnostics = static_cast<TickDiagnostics&>(*this),
                     .timers = {mainTimerPort_, countDownTimerPort_, debugTimerPort_},
                     .saveOptions = [this] { SaveOptions(); },
                     .processMessages = [this] { app_.ProcessMessages(); },
                     .power = {.clock = &clock_, .request = &powerRequest_},
                     .endSession = [this] { EndSession(); }});
    parts_->Controller.TimerDebug.SetOnTimer([this] { TimerDebugTimer(); });
    SetMenuHandlers(parts_->MainTrayMenu);
    automatic_ = std::make_unique<AutomaticParts>(parts_->Automatic, powerStatus_);
    parts_->Controller.SetOneShotWaiter(&automatic_->OneShot());
    lidOverride_.OnProblem = [wnd = Handle()](LidProblem problem) {
        ::PostMessageW(wnd, kWmLidProblem, static_cast<WPARAM>(problem), 0);
    };
    CreateSessionEnds();
}

void TFrmStaywickMain::CreateSessionEnds() {
    sessionEndView_ = std::make_unique<TTraySessionEndView>(parts_->MainTrayMenu, parts_->Tray);
    sessionEnds_ = std::make_unique<SessionEnds>(systemActions_, endCountdownTimerPort_,
                                                 endWarningTimerPort_, *sessionEndView_);
    endCountdownView_ =
        std::make_unique<EndCountdownWindowView>(app_, app_.Handle(), sessionEnds_->Countdown);
    sessionEnds_->Countdown.SetView(endCountdownView_.get());
    parts_->Controller.SetSessionEnds(sessionEnds_.get());
    // Only the warning's balloon keeps awake longer when clicked.
    parts_->Tray.OnBalloonClick = [this] {
        if (sessionEndView_->WarningClicked())
            RunGuarded([this] { parts_->Controller.ExtendClick(kExtendClickMinutes); });
    };
}

void TFrmStaywickMain::FormCreate() {
    // Start-up goes on whatever fails below (a refused write of the settings
    // file, when the loaded "ActivateFor" matches no item): AppLoaded is asked
    // for on every path. The message is posted before the error's report box
    // opens, so that box's loop runs AppLoaded before any tick can come, and
    // TimerMain never ticks against a record that says off.
    const ScopeExit postAppLoaded([this] { ::PostMessageW(Handle(), kWmAppLoaded, 0, 0); });
    app_.SetOnMessage(AppMessageHook(parts_->Controller));
    logEnabled_ = false;
    sMainIniFile = location_.GetIniFile();
    StaywickOptions = staywick::LoadOptions(profile_, sMainIniFile);
    ApplyPolicy(StaywickPolicy::Read(policyStore_));
    parts_->Controller.SelectActivateItemAtLoad();
    automaticOptions_ = LoadAutomaticOptions(profile_, sMainIniFile);
    // What a run that ended without putting the lid action back left in
    // the file goes back first; the controller changes it from then on.
    lidOverride_.RestoreSaved();
    parts_->Controller.SetLidOverride(&lidOverride_);
}

// The About window's controls, fonts and version text are made when it is
// first shown: start-up does not wait for their layout.
TAboutWindow& TFrmStaywickMain::AboutWindow() {
    if (!about_) {
        about_ = std::make_unique<TAboutWindow>(app_, Handle(), ExecutablePath());
        about_->OnDonate = [this] { MnuDonateClick(); };
    }
    return *about_;
}

// Every step runs even when one before it failed (a refused timer for "/D",
// a log header that cannot be written, a refused write of the resumption),
// so the icon, the timers and the status always end in step with the record;
// the first failure goes to the error report once all steps have run.
void TFrmStaywickMain::AppLoaded() {
    // A command can arrive before the posted message: it runs start-up first.
    if (loaded_)
        return;
    loaded_ = true;
    FirstError errors;
    const bool disabled = parts_->Controller.Policy().Disabled();
    if (!disabled)
        parts_->Appearance.SetVisualStyle();
    const DiagnosticSwitch diagnostic = SwitchFromCommandLine(commandLine_);
    if (diagnostic == DiagnosticSwitch::Debug)
        errors.Run([this] { parts_->Controller.TimerDebug.SetEnabled(true); });
    if (diagnostic == DiagnosticSwitch::Log) {
        logEnabled_ = true;
        logFileName_ = LogFileNameFor(location_.GetIniFile());
        // The header shows Active as loaded, before resumption can change it.
        // A line that cannot be written ends the header.
        errors.Run([this] {
            AppendLog(LogHeaderStars());
            AppendLog(LogHeaderActive(StaywickOptions.Active));
            AppendLog(LogHeaderMaxSleep(StaywickOptions.SleepMax));
        });
    }
    // The policies in force open the debug window and follow the log's header.
    errors.Run([this] { WritePolicyLines(PolicyLines(parts_->Controller.Policy())); });
    if (disabled) {
        EndByPolicy();
        return;
    }
    // The pauses and the schedule report first, so the first status and tick
    // see their facts.
    errors.Run([this] { automatic_->Start(automaticOptions_); });
    errors.Run([this] { parts_->Controller.Start(); });
    // The icon is added once it shows the true status: one call to the shell
    // instead of an add followed by two changes, each a round trip to the
    // shell while the program is not yet answering.
    parts_->Tray.SetVisible(true);
    ApplyHotkey();
    app_.AfterFirstIdle([this] { AfterReady(); });
    errors.RaiseIfAny();
}

// A listed program that runs already switches keep-awake on a moment after
// the icon came up; the first look is a walk over every process, which the
// icon does not wait for.
void TFrmStaywickMain::AfterReady() {
    if (afterReady_ || !loaded_ || parts_->Controller.Policy().Disabled())
        return;
    afterReady_ = true;
    app_.AfterFirstIdle({});
    FirstError errors;
    // After an upgrade, Restart Manager starts the program again with the
    // same switch; never after a crash or a hang (no restart loop), nor after
    // a reboot, where the Run value (when chosen) starts it and a second
    // start would only show the "already running" balloon.
    const std::wstring restartArguments = SwitchArguments(SwitchFromCommandLine(commandLine_));
    ::RegisterApplicationRestart(restartArguments.empty() ? nullptr : restartArguments.c_str(),
                                 RESTART_NO_CRASH | RESTART_NO_HANG | RESTART_NO_REBOOT);
    errors.Run([this] { automatic_->Listen(automaticOptions_); });
    errors.RaiseIfAny();
}

void TFrmStaywickMain::PrevInstance() {
    ShowTrayBalloon(parts_->Tray, kBalloonTitle, kBalloonText, kBalloonInfo);
}

void TFrmStaywickMain::FormDestroy() {
    // The lid-close action is back before anything else: at the session's
    // end the process may be gone right after this message.
    lidOverride_.Restore();
    ReleaseAwakeAndRemoveIcon(input_, parts_.get(), &powerRequest_);
    CreatedMutex.Reset();
}

// WM_ENDSESSION with wParam TRUE: the user signs out or the system shuts
// down, or Restart Manager closes the program for an installer
// (ENDSESSION_CLOSEAPP). The process may be ended as soon as the message is
// answered, so the normal exit path runs now: the main window is destroyed
// (FormDestroy releases the requests and removes the icon) and the loop ends
// with exit code 0.
void TFrmStaywickMain::EndSession() {
    if (sessionEnding_ || !Handle())
        return;
    sessionEnding_ = true;
    Destroy();
}

void TFrmStaywickMain::SaveOptions() {
    staywick::SaveOptions(profile_, sMainIniFile, StaywickOptions);
}

void TFrmStaywickMain::TimerDebugTimer() {
    DebugWrite(FormatIdleTime(input_.GetIdleMilliseconds()));
}

void TFrmStaywickMain::AppendLog(const std::wstring& line) {
    AppendLineToFile(logFileName_, line);
}

void TFrmStaywickMain::DebugWrite(const std::wstring& line) {
    staywick::DebugWrite(debugWindow_, line);
}

LRESULT TFrmStaywickMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (about_ && about_->HandleMessage(msg, wParam, lParam, result))
        return result;
    switch (msg) {
    case kWmAppLoaded:
        AppLoaded();
        return 0;
    case kWmPrevInstance:
        PrevInstance();
        return 0;
    case kWmLidProblem:
        LidProblemSaid(wParam);
        return 0;
    case WM_COPYDATA:
        return CommandReceived(reinterpret_cast<HWND>(wParam),
                               reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_HOTKEY:
        if (wParam == kHotkeyId)
            RunGuarded([this] { HotkeyPressed(); });
        return 0;
    case WM_TIMECHANGE:
        if (parts_)
            RunGuarded([this] { parts_->Controller.WallClockChanged(); });
        return 0;
    case WM_SETTINGCHANGE:
        result = DefaultHandling(msg, wParam, lParam);
        if (parts_) {
            parts_->Appearance.WMSettingChange(wParam, lParam,
                                               [this] { return parts_->Controller.GetTrayIcon(); });
            if (IsPolicyChangeMessage(lParam))
                RunGuarded([this] { PolicyChanged(); });
        }
        return result;
    case WM_SYSCOLORCHANGE:
        // Only top-level windows hear of it: the About window's controls are
        // told here, as common controls expect.
        ::EnumChildWindows(
            Handle(),
            [](HWND child, LPARAM) {
                ::SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
                return TRUE;
            },
            0);
        if (parts_)
            parts_->Appearance.SysColorChange([this] { return parts_->Controller.GetTrayIcon(); });
        return 0;
    case WM_DPICHANGED:
        if (parts_) {
            parts_->Appearance.DpiChanged(Handle(), wParam, lParam,
                                          [this] { return parts_->Controller.GetTrayIcon(); });
        }
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam != FALSE)
            EndSession();
        return 0;
    case WM_DESTROY:
        // Closing the main window always ends the application.
        if (sessionEnding_) {
            // Nobody answers an error box while the session ends: a failure
            // is dropped, and the process ends all the same.
            FirstError dropped;
            dropped.Run([this] { FormDestroy(); });
        } else {
            RunGuarded([this] { FormDestroy(); });
        }
        app_.Terminate();
        return 0;
    default:
        return DefaultHandling(msg, wParam, lParam);
    }
}

} // namespace staywick
