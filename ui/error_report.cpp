#include "ui/error_report.h"

#include "common/app_error.h"
#include "common/scope_exit.h"
#include "ui/common_controls.h"

namespace staywick {
namespace {

HWND g_owner = nullptr;
std::wstring g_title = L"Staywick";
std::function<void(const std::wstring&)> g_sink;

// At most one report box at a time. The box runs its own message loop, so
// timers and posted messages go on being handled while it is open; without
// this rule their errors would open a box inside the box, without end (a log
// that cannot be written fails on every tick). An error raised while a box is
// open is not shown and not kept: it still ends the handler that raised it,
// and the open box already tells the user that something failed. The faults
// behind such errors (the log file, the settings file, the timers) are met
// again by the next tick or change, and reported then if no box is open.
bool g_boxOpen = false;

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
    if (g_boxOpen)
        return;
    g_boxOpen = true;
    const ScopeExit closed([] { g_boxOpen = false; });
    // Under the manifest the box's buttons are themed common controls; a
    // system that does not load them on demand would show no box at all.
    LoadCommonControls();
    ::MessageBoxW(g_owner, ErrorReportText(text).c_str(), g_title.c_str(), MB_ICONERROR);
}

bool ReportCurrentException() {
    try {
        throw;
    } catch (const AppError& e) {
        ShowErrorReport(ExceptionText(e));
    } catch (const std::exception& e) {
        ShowErrorReport(ExceptionText(e));
    } catch (...) {
        ShowErrorReport(L"Unknown error");
    }
    return false;
}

} // namespace staywick
