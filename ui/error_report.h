#pragma once
// The application's standard error report: an error that escapes a handler
// ends the rest of that handler and is shown in a message box with the error
// icon and the application title; then the message loop goes on.
#include <windows.h>

#include <functional>
#include <string>

namespace staywick {

// Shows the report box for an error text (the full-stop rule is applied here).
// While a report box is open, a further report opens no box of its own at
// once: the latest such report is shown when the box closes (see the .cpp).
void ShowErrorReport(const std::wstring& text);

// The report box's owner and caption (the hidden application window and its title).
void SetErrorReportOwner(HWND owner, std::wstring title);

// In-process tests may take the reports instead of the box; pass {} to restore.
void SetErrorReportSink(std::function<void(const std::wstring&)> sink);

// Shows the report box once the thread's message loop runs again, outside the
// handler that asked for it: a box opened inside a message that another
// process waits on (WM_COPYDATA) would hold that process until the box
// closed. Reports asked for together are shown in order.
void ShowErrorReportLater(std::wstring text);

// Runs a handler; an error escaping it goes to the report. Returns false then.
template <class F> bool RunGuarded(F&& handler);
// The same, with the report shown later (ShowErrorReportLater).
template <class F> bool RunGuardedLater(F&& handler);

// Inside a catch block: the text the report shows for the error being handled.
std::wstring CurrentExceptionText();
bool ReportCurrentException();

template <class F> bool RunGuarded(F&& handler) {
    try {
        handler();
        return true;
    } catch (...) {
        return ReportCurrentException();
    }
}

template <class F> bool RunGuardedLater(F&& handler) {
    try {
        handler();
        return true;
    } catch (...) {
        ShowErrorReportLater(CurrentExceptionText());
        return false;
    }
}

} // namespace staywick
