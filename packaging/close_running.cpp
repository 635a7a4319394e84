// StaywickClose: run by the MSI (a custom action after InstallValidate)
// before it replaces or removes Staywick.exe. It closes the Staywick started
// from the path given as its only argument the way Restart Manager does on
// Windows: each top-level window of the program is asked
// (WM_QUERYENDSESSION) and then told (WM_ENDSESSION), both with
// ENDSESSION_CLOSEAPP, and the program ends through its own exit path. Then
// it waits for the process to end, so that the file is free.
//   StaywickClose "C:\Program Files\Staywick\Staywick.exe"
// On Windows, Restart Manager has already closed the program in
// InstallValidate (and starts it again after the install), so nothing is
// found here. Wine's msiexec has no Restart Manager: without this, the file
// in use would be replaced only at the next reboot (exit code 3010). A
// portable copy elsewhere is left alone. The exit code is always 0: a
// program that does not end only means a reboot, as before.
#include "common/win32/process_image.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

constexpr wchar_t kMainWindowClass[] = L"TFrmStaywickMain";
constexpr UINT kAnswerMs = 5000; // per window, as Restart Manager allows a hung one
constexpr DWORD kEndMs = 10000;

bool StartedFrom(DWORD pid, const wchar_t* path) {
    const std::wstring image = staywick::ProcessImagePath(pid);
    return !image.empty() && staywick::SameFileText(image, path);
}

struct Search {
    const wchar_t* path;
    std::vector<DWORD> programs;
};

BOOL CALLBACK FindProgram(HWND wnd, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    wchar_t cls[64] = {};
    ::GetClassNameW(wnd, cls, 64);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    if (::lstrcmpW(cls, kMainWindowClass) == 0 && StartedFrom(pid, search.path))
        search.programs.push_back(pid);
    return TRUE;
}

struct Windows {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND wnd, LPARAM param) {
    auto& windows = *reinterpret_cast<Windows*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    if (pid == windows.pid)
        windows.found.push_back(wnd);
    return TRUE;
}

void Close(DWORD pid) {
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    Windows windows{pid, {}};
    ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&windows));
    DWORD_PTR answer = 0;
    for (HWND wnd : windows.found) {
        ::SendMessageTimeoutW(wnd, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG,
                              kAnswerMs, &answer);
    }
    // The first window told ends the program; the others are gone by then.
    for (HWND wnd : windows.found) {
        ::SendMessageTimeoutW(wnd, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG,
                              kAnswerMs, &answer);
    }
    if (process) {
        ::WaitForSingleObject(process, kEndMs);
        ::CloseHandle(process);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv && argc == 2) {
        Search search{argv[1], {}};
        ::EnumWindows(&FindProgram, reinterpret_cast<LPARAM>(&search));
        for (DWORD pid : search.programs)
            Close(pid);
    }
    ::LocalFree(argv);
    return 0;
}
