#pragma once
// Display scaling on every Windows the program starts on (7 SP1 and later).
// The per-DPI functions came with Windows 10 1607; importing them would keep
// the exe from starting on anything older. They are looked up at run time,
// and where one is missing the same answer comes from what the older system
// has: a monitor's DPI from GetDpiForMonitor (8.1, shcore.dll), else the
// screen's LOGPIXELSX (7, one DPI for the whole system); metrics from the
// plain calls, which answer at the system DPI, scaled to the DPI asked for;
// window frames from AdjustWindowRectEx (before 10 1703 the system does not
// scale frames either).
#include <windows.h>

namespace staywick {

// The newer functions, each nullptr where the system lacks it.
struct DpiFunctions {
    UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
    UINT(WINAPI* getDpiForSystem)() = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;
    BOOL(WINAPI* systemParametersInfoForDpi)(UINT, UINT, void*, UINT, UINT) = nullptr;
    HRESULT(WINAPI* getDpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;
};

// What this system offers (shcore.dll is loaded for it).
DpiFunctions SystemDpiFunctions();
// Tests stand in for an older system; nullptr restores this system's own.
void SetDpiFunctions(const DpiFunctions* functions);

// The DPI a window is drawn at; never 0.
UINT WindowDpi(HWND wnd);
// The DPI of a monitor (effective DPI); never 0.
UINT MonitorDpi(HMONITOR monitor);
// The system DPI, at which the plain metric calls answer.
UINT SystemDpi();

// GetSystemMetrics at a DPI; for the metrics that are sizes in pixels.
int SystemMetricForDpi(int index, UINT dpi);
// SPI_GETNONCLIENTMETRICS at a DPI: fonts and sizes of menus and captions.
bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, UINT dpi);
// AdjustWindowRectEx at a DPI.
bool AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);

} // namespace staywick
