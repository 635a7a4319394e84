// Small helper for the scripts: waits for the running Staywick's main window,
// or closes it by its own exit path (WM_CLOSE) and waits for the process.
//   staywick_probe wait [timeout ms]   exit 0 once the main window exists
//   staywick_probe close [timeout ms]  exit 0 once the program has ended
#include <windows.h>

#include <cwchar>
#include <cwctype>

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
    return 2;
}
