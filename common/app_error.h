#pragma once
// Errors raised by the services the program uses (writing a file, starting a
// timer, removing the tray icon). They end the handler that ran into them and
// reach the application's standard error report.
#include <exception>
#include <string>

namespace staywick {

class AppError : public std::exception {
public:
    explicit AppError(std::wstring text) : text_(std::move(text)) {}
    const std::wstring& Text() const noexcept { return text_; }
    const char* what() const noexcept override { return "Staywick application error"; }

private:
    std::wstring text_;
};

// The text the error report shows: a full stop is added when the last
// character's code is above that of "." (so "x" gets one, "x." and "x!" do not).
std::wstring ErrorReportText(const std::wstring& text);

// Text of an exception that escaped a handler: the program's own errors keep
// their wide text (chosen by the catch clause, so no run-time type lookup is
// needed), others show what().
std::wstring ExceptionText(const AppError& error);
std::wstring ExceptionText(const std::exception& error);

} // namespace staywick
