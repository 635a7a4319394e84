#pragma once
// The watchers of keep-awake by itself: they only report facts to the
// AutomaticKeepAwake of the program's parts, whose rule decides. Built by the
// main window after the parts, and by the tests the same way.
#include "app/automatic_events.h"
#include "engine/automatic_keep_awake.h"
#include "engine/automatic_options.h"
#include "engine/one_shot_waiter.h"
#include "engine/program_watcher.h"
#include "engine/schedule_watcher.h"
#include "engine/window_watchers.h"
#include "platform/win32/process_watch_win32.h"
#include "platform/win32/wall_clock_win32.h"
#include "platform/win32/window_watch_win32.h"
#include "ui/error_report.h"
#include "ui/timer_port_win32.h"

namespace staywick {

class AutomaticParts {
public:
    AutomaticParts(AutomaticKeepAwake& automatic, PowerStatus& powerStatus);
    ~AutomaticParts();

    // Start-up, first step: what the first status needs, the pause choices
    // with the power facts of now and the schedule. The listed programs wait
    // for Listen.
    void Start(const AutomaticOptions& options);
    // Start-up, second step, once the program is ready: the window that
    // hears power, lid and session changes, registered for what the choices
    // need, and the first look for the listed programs.
    void Listen(const AutomaticOptions& options);
    // Changed settings take effect at once: both steps.
    void Apply(const AutomaticOptions& options);

    ProgramWatcher& Programs() noexcept { return programs_; }
    // One snapshot of the session's processes, for the Automatic dialog's
    // list; empty when the system refuses it.
    std::vector<RunningProcess> RunningProcesses() {
        return processes_.SnapshotAll().value_or(std::vector<RunningProcess>{});
    }
    TAutomaticEvents& Events() noexcept { return events_; }
    // "While a program runs..." and "/while".
    OneShotWaiter& OneShot() noexcept { return oneShot_; }
    ForegroundWatcher& Foreground() noexcept { return foreground_; }
    WindowTitleWatcher& WindowTitles() noexcept { return windowTitles_; }

private:
    AutomaticKeepAwake& automatic_;
    TAutomaticEvents events_;
    ProcessWatchWin32 processes_{&ReportCurrentException};
    TimerPortWin32 lookTimer_;
    ProgramWatcher programs_;
    WallClockWin32 wallClock_;
    TimerPortWin32 scheduleTimer_;
    ScheduleWatcher schedule_;
    // Waits of its own: the program watcher ends all of its waits at each look.
    ProcessWatchWin32 oneShotProcesses_{&ReportCurrentException};
    TimerPortWin32 oneShotTimer_;
    OneShotWaiter oneShot_;
    WindowWatchWin32 windows_{&ReportCurrentException};
    TimerPortWin32 foregroundTimer_;
    ForegroundWatcher foreground_;
    TimerPortWin32 windowTitleTimer_;
    WindowTitleWatcher windowTitles_;
};

} // namespace staywick
