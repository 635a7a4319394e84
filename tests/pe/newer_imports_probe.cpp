// Imports the five per-DPI functions of Windows 10 1607 and shcore's
// GetDpiForMonitor, declared here because the build's headers (Windows 7)
// refuse them: the import check must name each of them.
#include <windows.h>

extern "C" {
__declspec(dllimport) UINT WINAPI GetDpiForWindow(HWND);
__declspec(dllimport) UINT WINAPI GetDpiForSystem();
__declspec(dllimport) BOOL WINAPI AdjustWindowRectExForDpi(RECT*, DWORD, BOOL, DWORD, UINT);
__declspec(dllimport) int WINAPI GetSystemMetricsForDpi(int, UINT);
__declspec(dllimport) BOOL WINAPI SystemParametersInfoForDpi(UINT, UINT, void*, UINT, UINT);
__declspec(dllimport) HRESULT WINAPI GetDpiForMonitor(HMONITOR, int, UINT*, UINT*);
}

int wmain() {
    RECT r{};
    UINT x = 0, y = 0;
    return static_cast<int>(GetDpiForWindow(nullptr) + GetDpiForSystem()) +
           AdjustWindowRectExForDpi(&r, 0, FALSE, 0, 96) + GetSystemMetricsForDpi(0, 96) +
           SystemParametersInfoForDpi(0, 0, nullptr, 0, 96) +
           static_cast<int>(GetDpiForMonitor(nullptr, 0, &x, &y));
}
