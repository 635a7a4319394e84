#pragma once
// The program's parts and how they are connected: the tray icon with its
// menu, glyphs and appearance, the status view, and the keep-awake controller
// that drives them, and the window that hears resumes from sleep. The main
// window builds them with BuildProgramParts, and so do the tests, so both run
// the same wiring.
#include "app/power_events.h"
#include "engine/keep_awake_controller.h"
#include "engine/staywick_options.h"
#include "tray/win32/glyph_list.h"
#include "tray/win32/main_tray_menu.h"
#include "tray/win32/tray_appearance.h"
#include "tray/win32/tray_icon.h"
#include "tray/win32/tray_status_view.h"
#include "ui/application.h"
#include "ui/timer_port_win32.h"

#include <windows.h>

#include <functional>
#include <memory>

namespace staywick {

// What the parts need from around them.
struct ProgramPorts {
    HWND applicationWindow = nullptr; // brought forward before the tray menu opens
    int windowDpi = USER_DEFAULT_SCREEN_DPI;
    InputPower& input;
    TickDiagnostics& diagnostics;
    KeepAwakeTimerPorts timers;
    // Writes the record whole; may throw AppError.
    std::function<void()> saveOptions;
    // The application's ProcessMessages.
    std::function<void()> processMessages;
    ShellNotifyIconFn shell = &::Shell_NotifyIconW;
    // The clock and the power request with its reason.
    KeepAwakePowerPorts power = {};
    // The tray's add retries; nullptr for a window timer of its own.
    TimerPort* trayRetryTimer = nullptr;
    // The wait before the glyph is redrawn after a DPI change; the parts'
    // own window timer unless a test passes one.
    TimerPort* dpiRedrawTimer = nullptr;
    // The program's end when the session ends (WM_ENDSESSION at the tray's
    // window); unset, the tray only removes its icon.
    std::function<void()> endSession = {};
};

struct ProgramParts {
    ProgramParts(TStaywickOptions& options, const ProgramPorts& ports);

    // The glyph font must be registered before this list draws.
    TGlyphList TrayIcons{L"Glyphter", L"CD", 20, 20};
    TimerPortWin32 DpiRedrawTimerPort;
    TMainTrayMenu MainTrayMenu;
    TTrayIcon Tray;
    TTrayAppearance Appearance;
    TTrayStatusView StatusView;
    // The facts of keep-awake by itself, which the controller weighs.
    AutomaticKeepAwake Automatic;
    KeepAwakeController Controller;
    TPowerEvents PowerEvents;
};

// Builds the parts and connects the tray to the controller: the status item,
// the "Activate for" items and a double click on the icon. A change of the
// automatic facts brings the controller in step. The menu's other
// items are the caller's. A resume from sleep shows the icon again and
// brings the controller back in step. Throws AppError when a part cannot be created
// (for example no timer left).
std::unique_ptr<ProgramParts> BuildProgramParts(TStaywickOptions& options,
                                                const ProgramPorts& ports);

// The application-wide hook FormCreate installs: the controller sees every
// queued message and swallows the screen-saver and monitor-power commands.
Application::MessageHook AppMessageHook(KeepAwakeController& controller);

// FormDestroy's order: the awake request and the power request are released
// (whatever NotifySystem says) before the icon leaves the notification area;
// `parts` may be missing when they could not be created.
void ReleaseAwakeAndRemoveIcon(InputPower& input, ProgramParts* parts,
                               PowerRequest* power = nullptr);

} // namespace staywick
