#include "ui/error_report.h"

#include "common/app_error.h"

namespace staywick {
namespace {

HWND g_owner = nullptr;
std::wstring g_title = L"Staywick";
std::function<void(const std::wstring&)> g_sink;

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
