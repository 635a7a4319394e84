#include "ui/process_watch_win32.h"

#include <tlhelp32.h>

#include <algorithm>

namespace staywick {

namespace {

constexpr wchar_t kProcessWatchClass[] = L"TStaywickProcessWatch";
constexpr UINT kWmProcessEnded = WM_APP + 20;

using ToolhelpSnapshot = win32::UniqueHandle<HANDLE, &::CloseHandle, true>;

DWORD OwnSession() {
    DWORD session = 0;
    ::ProcessIdToSessionId(::GetCurrentProcessId(), &session);
    return session;
}

} // namespace

struct ProcessWatchWin32::Wait {
    HWND window = nullptr;
    std::uintptr_t cookie = 0;
    win32::KernelHandle process;
    HANDLE registration = nullptr;
    std::function<void()> ended;

    // On a pool thread: only a message to the GUI thread.
    static void CALLBACK Signalled(PVOID context, BOOLEAN) {
        const Wait* wait = static_cast<const Wait*>(context);
        ::PostMessageW(wait->window, kWmProcessEnded, wait->cookie, 0);
    }

    ~Wait() {
        // INVALID_HANDLE_VALUE: returns once a running callback has finished,
        // so none touches this record after it is gone.
        if (registration)
            ::UnregisterWaitEx(registration, INVALID_HANDLE_VALUE);
    }
};

ProcessWatchWin32::ProcessWatchWin32() {
    RegisterWindowClass(kProcessWatchClass);
    Create(0, kProcessWatchClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE);
}

ProcessWatchWin32::~ProcessWatchWin32() {
    StopWatching();
    Destroy();
}

std::vector<RunningProcess> ProcessWatchWin32::Snapshot(const std::vector<std::wstring>& names) {
    std::vector<RunningProcess> result;
    ToolhelpSnapshot snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return result;
    const DWORD session = OwnSession();
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more;
         more = ::Process32NextW(snapshot.Get(), &entry)) {
        const std::wstring fileName = entry.szExeFile;
        if (std::none_of(names.begin(), names.end(),
                         [&](const std::wstring& name) { return SameFileName(fileName, name); }))
            continue;
        DWORD processSession = 0;
        // Another user's session, or a process that has just ended: skipped.
        // Asked only for a listed name: each question opens the process,
        // which under Wine costs about as much as the rest of the walk.
        if (!::ProcessIdToSessionId(entry.th32ProcessID, &processSession) ||
            processSession != session)
            continue;
        result.push_back({entry.th32ProcessID, fileName});
    }
    return result;
}

bool ProcessWatchWin32::WatchEnd(std::uint32_t id, std::function<void()> ended) {
    auto wait = std::make_unique<Wait>();
    wait->process.Reset(::OpenProcess(SYNCHRONIZE, FALSE, id));
    if (!wait->process || !Handle())
        return false;
    wait->window = Handle();
    wait->cookie = ++lastCookie_;
    wait->ended = std::move(ended);
    // An ended process is signalled already: the callback comes at once.
    if (!::RegisterWaitForSingleObject(&wait->registration, wait->process.Get(), &Wait::Signalled,
                                       wait.get(), INFINITE, WT_EXECUTEONLYONCE)) {
        wait->registration = nullptr;
        return false;
    }
    waits_.push_back(std::move(wait));
    return true;
}

void ProcessWatchWin32::StopWatching() {
    // Messages still queued for these cookies find no wait and are dropped.
    waits_.clear();
}

LRESULT ProcessWatchWin32::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != kWmProcessEnded)
        return DefaultHandling(msg, wParam, lParam);
    const auto found = std::find_if(waits_.begin(), waits_.end(),
                                    [wParam](const auto& w) { return w->cookie == wParam; });
    if (found == waits_.end())
        return 0;
    // The record goes before the handler runs: the handler may look again
    // and replace every wait.
    const std::function<void()> ended = std::move((*found)->ended);
    waits_.erase(found);
    if (ended)
        ended();
    return 0;
}

} // namespace staywick
