#include "win/common/process_helpers.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>

namespace staywick::test {

std::wstring TestBinDir() {
    wchar_t buf[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, buf, MAX_PATH);
    std::wstring path(buf, n);
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring StaywickExePath() {
    return TestBinDir() + L"\\Staywick.exe";
}

TempDir::TempDir() {
    wchar_t base[MAX_PATH];
    ::GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        std::wstringstream name;
        name << base << L"staywick-test-" << ::GetCurrentProcessId() << L"-" << ++counter << L"-"
             << ::GetTickCount();
        if (::CreateDirectoryW(name.str().c_str(), nullptr)) {
            path_ = name.str();
            return;
        }
    }
}

TempDir::~TempDir() {
    // SHFileOperation wants a double-NUL-terminated list.
    std::wstring from = path_;
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    ::SHFileOperationW(&op);
}

Process::Process(Process&& other) noexcept : pi_(std::exchange(other.pi_, {})) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Kill();
        pi_ = std::exchange(other.pi_, {});
    }
    return *this;
}

Process::~Process() {
    Kill();
}

Process Process::Start(const std::wstring& exe, const std::wstring& args) {
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!args.empty())
        cmd += L" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    Process p;
    if (!::CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &si, &p.pi_)) {
        p.pi_ = {};
    }
    return p;
}

bool Process::Running() const {
    return pi_.hProcess && ::WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitExit(DWORD timeoutMs) const {
    if (!pi_.hProcess || ::WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(pi_.hProcess, &code);
    return code;
}

void Process::Kill() {
    if (pi_.hProcess) {
        if (Running()) {
            ::TerminateProcess(pi_.hProcess, 99);
            ::WaitForSingleObject(pi_.hProcess, 5000);
        }
        ::CloseHandle(pi_.hProcess);
        ::CloseHandle(pi_.hThread);
    }
    pi_ = {};
}

HWND WaitForMainWindow(DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(timeoutMs, [&] { return (found = ::FindWindowW(L"TFrmStaywickMain", nullptr)); });
    return found;
}

bool WaitForNoMainWindow(DWORD timeoutMs) {
    return WaitUntil(timeoutMs, [] { return !::FindWindowW(L"TFrmStaywickMain", nullptr); });
}

HWND WaitForStartUp(DWORD pid, DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    const auto left = [end] {
        const ULONGLONG now = ::GetTickCount64();
        return now < end ? static_cast<DWORD>(end - now) : 0;
    };
    HWND main = nullptr;
    WaitUntil(left(), [&] {
        main = ::FindWindowW(L"TFrmStaywickMain", nullptr);
        DWORD owner = 0;
        if (main)
            ::GetWindowThreadProcessId(main, &owner);
        return main && owner == pid;
    });
    if (!main)
        return nullptr;
    // The start-up step adds the icon, then finishes before the loop takes
    // the next sent message.
    const bool iconUp = WaitUntil(left(), [&] {
        HWND notify = TrayNotifyWindow(pid);
        return notify && ShellHasTrayIcon(notify);
    });
    return iconUp && SyncWithWindow(main, left()) ? main : nullptr;
}

void CloseRunningStaywick(DWORD timeoutMs) {
    HWND wnd = ::FindWindowW(L"TFrmStaywickMain", nullptr);
    if (!wnd)
        return;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    ::PostMessageW(wnd, WM_CLOSE, 0, 0);
    if (process) {
        if (::WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0) {
            ::TerminateProcess(process, 98);
            ::WaitForSingleObject(process, 5000);
        }
        ::CloseHandle(process);
    }
    WaitForNoMainWindow(timeoutMs);
}

std::wstring InstallCopy(const TempDir& dir) {
    const std::wstring target = dir.File(L"Staywick.exe");
    ::CopyFileW(StaywickExePath().c_str(), target.c_str(), FALSE);
    return target;
}

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool FileExists(const std::wstring& path) {
    const DWORD attrs = ::GetFileAttributesW(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace staywick::test

namespace staywick::test {

namespace {

struct WindowQuery {
    DWORD pid;
    const wchar_t* cls;
    const wchar_t* caption;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND wnd, LPARAM param) {
    auto& query = *reinterpret_cast<WindowQuery*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    if (pid != query.pid)
        return TRUE;
    wchar_t cls[256] = {};
    ::GetClassNameW(wnd, cls, 256);
    if (query.cls && ::lstrcmpW(cls, query.cls) != 0)
        return TRUE;
    if (query.caption && WindowText(wnd) != query.caption)
        return TRUE;
    query.found.push_back(wnd);
    return TRUE;
}

// The program's tray callback (WM_USER + 1), lParam the mouse message.
constexpr UINT kTrayCallback = WM_USER + 1;

} // namespace

HWND VisibleMenuWindow(DWORD pid) {
    for (HWND wnd : ProcessWindows(pid, L"#32768")) {
        if (::IsWindowVisible(wnd))
            return wnd;
    }
    return nullptr;
}

std::vector<HWND> ProcessWindows(DWORD pid, const wchar_t* cls, const wchar_t* caption) {
    WindowQuery query{pid, cls, caption, {}};
    ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitForProcessWindow(DWORD pid, const wchar_t* cls, const wchar_t* caption, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(timeoutMs, [&] {
        for (HWND wnd : ProcessWindows(pid, cls, caption)) {
            if (::IsWindowVisible(wnd))
                return (found = wnd) != nullptr;
        }
        return false;
    });
    return found;
}

bool WaitForWindowVisible(HWND wnd, bool visible, DWORD timeoutMs) {
    return WaitUntil(timeoutMs, [&] { return (::IsWindowVisible(wnd) != FALSE) == visible; });
}

std::wstring WindowText(HWND wnd) {
    // Timeouts: a hung window must not hang the test.
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(wnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR n = 0;
    if (!::SendMessageTimeoutW(wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                               SMTO_ABORTIFHUNG, 5000, &n)) {
        return {};
    }
    text.resize(std::min<std::size_t>(n, length));
    return text;
}

bool SyncWithWindow(HWND wnd, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

HWND WaitForChild(HWND parent, int id, DWORD timeoutMs) {
    HWND child = nullptr;
    WaitUntil(timeoutMs, [&] { return (child = ::GetDlgItem(parent, id)) != nullptr; });
    return child;
}

std::optional<SeenMessageBox> WaitForMessageBox(const wchar_t* caption, DWORD timeoutMs) {
    SeenMessageBox seen;
    // A box is shown once it has initialised: its text (the static control
    // 0xFFFF) and its icon are in place by then.
    const bool found = WaitUntil(timeoutMs, [&] {
        seen.box = ::FindWindowW(L"#32770", caption);
        if (!seen.box || !::IsWindowVisible(seen.box))
            return false;
        HWND text = ::GetDlgItem(seen.box, 0xFFFF);
        seen.text = text ? WindowText(text) : std::wstring();
        return !seen.text.empty();
    });
    if (!found)
        return std::nullopt;
    seen.caption = WindowText(seen.box);
    return seen;
}

HWND TrayNotifyWindow(DWORD pid) {
    const auto found = ProcessWindows(pid, L"TTrayIconNotifyWindow");
    return found.empty() ? nullptr : found.front();
}

bool ShellHasTrayIcon(HWND notifyWindow) {
    // A modification that changes nothing succeeds only for an icon the shell
    // holds; the program's icon is number 1 of its notification window.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = notifyWindow;
    data.uID = kProgramTrayIconId;
    return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

namespace {

// Opens the tray menu and posts `keys` to it, then Enter.
bool PressInTrayMenu(DWORD pid, const std::vector<std::pair<WPARAM, int>>& keys, DWORD timeoutMs) {
    HWND notify = TrayNotifyWindow(pid);
    if (!notify)
        return false;
    ::PostMessageW(notify, kTrayCallback, 0, WM_RBUTTONUP);
    HWND menu = nullptr;
    if (!WaitUntil(timeoutMs, [&] { return (menu = VisibleMenuWindow(pid)) != nullptr; })) {
        return false;
    }
    // Posted messages keep their order: the menu's loop takes them one by one.
    for (const auto& [key, times] : keys) {
        for (int i = 0; i < times; ++i)
            ::PostMessageW(menu, WM_KEYDOWN, key, 0);
    }
    ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    return WaitUntil(timeoutMs, [&] { return !VisibleMenuWindow(pid); });
}

} // namespace

bool ChooseTrayMenuItem(DWORD pid, int downPresses, DWORD timeoutMs) {
    return PressInTrayMenu(pid, {{VK_DOWN, downPresses}}, timeoutMs);
}

bool ChooseTraySubmenuItem(DWORD pid, int downPresses, int upPresses, DWORD timeoutMs) {
    return PressInTrayMenu(pid, {{VK_DOWN, downPresses}, {VK_RIGHT, 1}, {VK_UP, upPresses}},
                           timeoutMs);
}

std::optional<std::wstring> ClipboardText() {
    if (!WaitUntil(2000, [] { return ::OpenClipboard(nullptr) != FALSE; }))
        return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

void SetClipboardText(const std::wstring& text) {
    if (!WaitUntil(2000, [] { return ::OpenClipboard(nullptr) != FALSE; }))
        return;
    ::EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
        ::GlobalUnlock(memory);
        if (!::SetClipboardData(CF_UNICODETEXT, memory))
            ::GlobalFree(memory);
    }
    ::CloseClipboard();
}

ScopedEnv::ScopedEnv(const wchar_t* name, const std::wstring& value) : name_(name) {
    wchar_t old[32768];
    const DWORD n = ::GetEnvironmentVariableW(name, old, 32768);
    if (n > 0 && n < 32768)
        old_ = std::wstring(old, n);
    ::SetEnvironmentVariableW(name, value.c_str());
}

ScopedEnv::~ScopedEnv() {
    ::SetEnvironmentVariableW(name_.c_str(), old_ ? old_->c_str() : nullptr);
}

std::optional<int> RunHostCommand(const std::string& command, DWORD timeoutMs) {
    // The marker lives in the session's own temporary folder: process ids are
    // numbered per wineserver, so another session's test may have this one's.
    static unsigned counter = 0;
    wchar_t temp[MAX_PATH];
    const DWORD length = ::GetTempPathW(MAX_PATH, temp);
    const std::wstring windowsMarker = std::wstring(temp, length) + L"staywick-host-" +
                                       std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                       std::to_wstring(++counter);
    const std::string marker = HostPath(windowsMarker);
    if (length == 0 || length > MAX_PATH || marker.empty())
        return std::nullopt;
    ::DeleteFileW(windowsMarker.c_str());

    // The status goes to a side file first, so the marker appears complete.
    const std::string script =
        command + "; echo $? > '" + marker + ".part' && mv '" + marker + ".part' '" + marker + "'";
    std::wstring cmd = L"/bin/sh -c \"" + std::wstring(script.begin(), script.end()) + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(L"Z:\\bin\\sh", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &si, &pi)) {
        return std::nullopt;
    }
    if (pi.hProcess)
        ::CloseHandle(pi.hProcess);
    if (pi.hThread)
        ::CloseHandle(pi.hThread);
    if (!WaitUntil(timeoutMs, [&] { return FileExists(windowsMarker); }))
        return std::nullopt;
    const std::string status = ReadFileBytes(windowsMarker);
    ::DeleteFileW(windowsMarker.c_str());
    try {
        return std::stoi(status);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::string HostPath(const std::wstring& windowsPath) {
    // Wine's kernel32 export; the result is allocated on the process heap.
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!toUnix)
        return {};
    char* unix = toUnix(windowsPath.c_str());
    if (!unix)
        return {};
    std::string path(unix);
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return path;
}

std::vector<std::wstring> ListFiles(const std::wstring& folder, const wchar_t* pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE find = ::FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return names;
}

bool ProcessHasModule(DWORD pid, const wchar_t* fileName) {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32W module{};
    module.dwSize = sizeof(module);
    bool found = false;
    for (BOOL more = ::Module32FirstW(snapshot, &module); more && !found;
         more = ::Module32NextW(snapshot, &module)) {
        found = ::lstrcmpiW(module.szModule, fileName) == 0;
    }
    ::CloseHandle(snapshot);
    return found;
}

DWORD SessionIdleMs() {
    LASTINPUTINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetLastInputInfo(&info))
        return 0;
    return ::GetTickCount() - info.dwTime;
}

std::size_t ForcedWakesLogged(const std::wstring& logPath) {
    const std::string log = ReadFileBytes(logPath);
    std::size_t n = 0;
    for (auto at = log.find("Forced system wake up"); at != std::string::npos;
         at = log.find("Forced system wake up", at + 1)) {
        ++n;
    }
    return n;
}

} // namespace staywick::test
