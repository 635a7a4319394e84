// Small helper for the scripts: waits for the running Staywick's main window,
// or closes it by its own exit path (WM_CLOSE) and waits for the process.
//   staywick_probe wait [timeout ms]   exit 0 once the main window exists
//   staywick_probe close [timeout ms]  exit 0 once the program has ended
//   staywick_probe hold [timeout ms]   keeps the session's desktop open (below)
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>

namespace {

// Wine closes a desktop one second after its last program has ended, and the
// next program starts it again (explorer, taskbar, notification area). This
// stays on the desktop until the session ends, so tests find it up. Prints
// "ready" once the taskbar is there.
int HoldDesktop(ULONGLONG end) {
    ::GetDesktopWindow();
    while (!::FindWindowW(L"Shell_TrayWnd", nullptr)) {
        if (::GetTickCount64() > end) {
            std::puts("no taskbar");
            return 1;
        }
        ::Sleep(50);
    }
    std::puts("ready");
    std::fflush(stdout);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    const DWORD timeout = argc > 2 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : 15000;
    const ULONGLONG end = ::GetTickCount64() + timeout;
    if (std::wcscmp(argv[1], L"wait") == 0) {
        while (!::FindWindowW(L"TFrmStaywickMain", nullptr)) {
            if (::GetTickCount64() > end)
                return 1;
            ::Sleep(50);
        }
        return 0;
    }
    if (std::wcscmp(argv[1], L"close") == 0) {
        HWND wnd = ::FindWindowW(L"TFrmStaywickMain", nullptr);
        if (!wnd)
            return 0;
        DWORD pid = 0;
        ::GetWindowThreadProcessId(wnd, &pid);
        HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
        ::PostMessageW(wnd, WM_CLOSE, 0, 0);
        const DWORD waited = process ? ::WaitForSingleObject(process, timeout) : WAIT_FAILED;
        if (process)
            ::CloseHandle(process);
        return waited == WAIT_OBJECT_0 ? 0 : 1;
    }
    if (std::wcscmp(argv[1], L"hold") == 0)
        return HoldDesktop(end);
    return 2;
}
