#include "ui/error_report.h"

#include "common/app_error.h"
#include "common/scope_exit.h"
#include "ui/common_controls.h"

#include <optional>
#include <vector>

namespace staywick {
namespace {

HWND g_owner = nullptr;
std::wstring g_title = L"Staywick";
std::function<void(const std::wstring&)> g_sink;

// At most one report box at a time. The box runs its own message loop, so
// timers and posted messages go on being handled while it is open; without
// this rule their errors would open a box inside the box, without end (a log
// that cannot be written fails on every tick). An error raised while a box is
// open still ends the handler that raised it, and is kept: when the box
// closes, the latest one kept is shown once, in a box of its own. Not every
// fault comes back by itself: a refused save of the user's change is never
// tried again, and unheard it would undo that change at the next start.
bool g_boxOpen = false;
std::optional<std::wstring> g_waiting;

// Reports asked for with ShowErrorReportLater, and the thread timer that
// shows them: a timer with a callback is dispatched by any message loop,
// modal ones included, and only once the handler that asked has returned.
std::vector<std::wstring> g_later;
UINT_PTR g_laterTimer = 0;

void CALLBACK ShowLaterReports(HWND, UINT, UINT_PTR, DWORD) {
    ::KillTimer(nullptr, g_laterTimer);
    g_laterTimer = 0;
    const std::vector<std::wstring> reports = std::move(g_later);
    g_later.clear();
    for (const std::wstring& text : reports)
        ShowErrorReport(text);
}

void ShowBox(const std::wstring& text) {
    // Under the manifest the box's buttons are themed common controls; a
    // system that does not load them on demand would show no box at all.
    LoadCommonControls();
    ::MessageBoxW(g_owner, ErrorReportText(text).c_str(), g_title.c_str(), MB_ICONERROR);
}

} // namespace

void SetErrorReportOwner(HWND owner, std::wstring title) {
    g_owner = owner;
    g_title = std::move(title);
}

void SetErrorReportSink(std::function<void(const std::wstring&)> sink) {
    g_sink = std::move(sink);
}

void ShowErrorReport(const std::wstring& text) {
    if (g_sink) {
        g_sink(text);
        return;
    }
    if (g_boxOpen) {
        g_waiting = text; // the latest wins
        return;
    }
    g_boxOpen = true;
    const ScopeExit closed([] { g_boxOpen = false; });
    ShowBox(text);
    // Errors raised while that box was open; the latest of those raised while
    // this one is open comes next, and so on until a box closes with none.
    while (g_waiting) {
        const std::wstring next = std::move(*g_waiting);
        g_waiting.reset();
        ShowBox(next);
    }
}

void ShowErrorReportLater(std::wstring text) {
    g_later.push_back(std::move(text));
    if (!g_laterTimer)
        g_laterTimer = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &ShowLaterReports);
    // Without a timer the report is not lost: it is shown now.
    if (!g_laterTimer)
        ShowLaterReports(nullptr, 0, 0, 0);
}

std::wstring CurrentExceptionText() {
    try {
        throw;
    } catch (const AppError& e) {
        return ExceptionText(e);
    } catch (const std::exception& e) {
        return ExceptionText(e);
    } catch (...) {
        return L"Unknown error";
    }
}

bool ReportCurrentException() {
    ShowErrorReport(CurrentExceptionText());
    return false;
}

} // namespace staywick
