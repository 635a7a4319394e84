#pragma once
// Shared by the in-process tests of the program's windows: the dialogs'
// resources come from the built Staywick.exe (loaded as a data file), modal
// dialogs are driven from a thread timer that runs inside their loop, and
// control geometry is read in the parent's client coordinates.
#include "ui/dialog_support.h"
#include "win/common/process_helpers.h"

#include <windows.h>

#include <functional>
#include <string>

namespace staywick::test {

// Points the dialogs at Staywick.exe's resources (once per process).
inline void UseStaywickResources() {
    static const HMODULE module =
        ::LoadLibraryExW(StaywickExePath().c_str(), nullptr,
                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    SetResourceModule(module);
}

// Runs `action` once, `delayMs` after the next message loop starts waiting.
inline void RunSoon(std::function<void()> action, UINT delayMs = 50) {
    static std::function<void()> pending;
    pending = std::move(action);
    ::SetTimer(nullptr, 0, delayMs, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        auto run = std::move(pending);
        pending = nullptr;
        if (run)
            run();
    });
}

// Pumps this thread's messages until `done` holds or `ms` have passed.
template <typename Done> bool PumpUntil(DWORD ms, Done done) {
    const ULONGLONG until = ::GetTickCount64() + ms;
    while (!done() && ::GetTickCount64() < until) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }
    return done();
}

inline RECT ChildRect(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline std::wstring TextOf(HWND wnd) {
    wchar_t buffer[1024] = {};
    ::GetWindowTextW(wnd, buffer, 1024);
    return buffer;
}

inline LOGFONTW FontOf(HWND wnd) {
    LOGFONTW lf{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(wnd, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    return lf;
}

inline RECT WorkArea() {
    RECT r{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

// A private temporary folder for the duration of a test: TMP and TEMP point there.
class TempFolderOverride {
public:
    explicit TempFolderOverride(const std::wstring& folder) {
        Save(L"TMP", tmp_);
        Save(L"TEMP", temp_);
        ::SetEnvironmentVariableW(L"TMP", folder.c_str());
        ::SetEnvironmentVariableW(L"TEMP", folder.c_str());
    }
    ~TempFolderOverride() {
        ::SetEnvironmentVariableW(L"TMP", tmp_.c_str());
        ::SetEnvironmentVariableW(L"TEMP", temp_.c_str());
    }
    TempFolderOverride(const TempFolderOverride&) = delete;
    TempFolderOverride& operator=(const TempFolderOverride&) = delete;

private:
    static void Save(const wchar_t* name, std::wstring& value) {
        wchar_t buffer[32768];
        const DWORD n = ::GetEnvironmentVariableW(name, buffer, 32768);
        value.assign(buffer, n);
    }
    std::wstring tmp_, temp_;
};

// Names of the files in a folder.
inline std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return names;
}

} // namespace staywick::test
