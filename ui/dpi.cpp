#include "ui/dpi.h"

#include "common/win32/handles.h"
#include "platform/win32/on_demand.h"

namespace staywick {

namespace {

const DpiFunctions* g_standIn = nullptr;

// user32's functions, looked up together on first use (user32 is loaded).
const DpiFunctions& UserFunctions() {
    static const DpiFunctions functions = [] {
        DpiFunctions f;
        f.getDpiForWindow =
            win32::OnDemandFunction<decltype(f.getDpiForWindow)>(L"user32.dll", "GetDpiForWindow");
        f.getDpiForSystem =
            win32::OnDemandFunction<decltype(f.getDpiForSystem)>(L"user32.dll", "GetDpiForSystem");
        f.adjustWindowRectExForDpi = win32::OnDemandFunction<decltype(f.adjustWindowRectExForDpi)>(
            L"user32.dll", "AdjustWindowRectExForDpi");
        f.getSystemMetricsForDpi = win32::OnDemandFunction<decltype(f.getSystemMetricsForDpi)>(
            L"user32.dll", "GetSystemMetricsForDpi");
        f.systemParametersInfoForDpi =
            win32::OnDemandFunction<decltype(f.systemParametersInfoForDpi)>(
                L"user32.dll", "SystemParametersInfoForDpi");
        return f;
    }();
    return functions;
}

// shcore.dll only when a monitor's DPI is asked for: on Windows 10 1607 and
// later a window's DPI never needs it.
decltype(DpiFunctions::getDpiForMonitor) SystemMonitorDpiFunction() {
    static const auto fn = win32::OnDemandFunction<decltype(DpiFunctions::getDpiForMonitor)>(
        L"shcore.dll", "GetDpiForMonitor");
    return fn;
}

decltype(DpiFunctions::getDpiForMonitor) MonitorDpiFunction() {
    return g_standIn ? g_standIn->getDpiForMonitor : SystemMonitorDpiFunction();
}

const DpiFunctions& Functions() {
    return g_standIn ? *g_standIn : UserFunctions();
}

int ScaleFromSystem(int value, UINT dpi) {
    return ::MulDiv(value, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

void ScaleFont(LOGFONTW& font, UINT dpi) {
    font.lfHeight = ScaleFromSystem(font.lfHeight, dpi);
    font.lfWidth = ScaleFromSystem(font.lfWidth, dpi);
}

} // namespace

DpiFunctions SystemDpiFunctions() {
    DpiFunctions f = UserFunctions();
    f.getDpiForMonitor = SystemMonitorDpiFunction();
    return f;
}

void SetDpiFunctions(const DpiFunctions* functions) {
    g_standIn = functions;
}

UINT WindowDpi(HWND wnd) {
    if (const auto fn = Functions().getDpiForWindow) {
        const UINT dpi = fn(wnd);
        return dpi ? dpi : USER_DEFAULT_SCREEN_DPI;
    }
    // Before 10 1607 a per-monitor aware window is drawn at its monitor's DPI.
    return MonitorDpi(::MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST));
}

UINT MonitorDpi(HMONITOR monitor) {
    UINT x = 0, y = 0;
    constexpr int kEffectiveDpi = 0; // MDT_EFFECTIVE_DPI
    if (const auto fn = MonitorDpiFunction();
        fn && monitor && SUCCEEDED(fn(monitor, kEffectiveDpi, &x, &y)) && x > 0) {
        return x;
    }
    return SystemDpi();
}

UINT SystemDpi() {
    if (const auto fn = Functions().getDpiForSystem)
        return fn();
    win32::WindowDc screen(nullptr);
    const int dpi = screen.Get() ? ::GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

int SystemMetricForDpi(int index, UINT dpi) {
    if (const auto fn = Functions().getSystemMetricsForDpi)
        return fn(index, dpi);
    return ScaleFromSystem(::GetSystemMetrics(index), dpi);
}

bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, UINT dpi) {
    metrics.cbSize = sizeof(metrics);
    if (const auto fn = Functions().systemParametersInfoForDpi) {
        if (fn(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi))
            return true;
    }
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return false;
    for (int* size : {&metrics.iBorderWidth, &metrics.iScrollWidth, &metrics.iScrollHeight,
                      &metrics.iCaptionWidth, &metrics.iCaptionHeight, &metrics.iSmCaptionWidth,
                      &metrics.iSmCaptionHeight, &metrics.iMenuWidth, &metrics.iMenuHeight,
                      &metrics.iPaddedBorderWidth}) {
        *size = ScaleFromSystem(*size, dpi);
    }
    for (LOGFONTW* font : {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont,
                           &metrics.lfStatusFont, &metrics.lfMessageFont}) {
        ScaleFont(*font, dpi);
    }
    return true;
}

bool AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
    if (const auto fn = Functions().adjustWindowRectExForDpi)
        return fn(&rect, style, FALSE, exStyle, dpi) != FALSE;
    return ::AdjustWindowRectEx(&rect, style, FALSE, exStyle) != FALSE;
}

} // namespace staywick
