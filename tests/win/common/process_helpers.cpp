#include "win/common/process_helpers.h"

#include <shellapi.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

namespace staywick::test {

std::wstring TestBinDir() {
    wchar_t buf[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, buf, MAX_PATH);
    std::wstring path(buf, n);
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring StaywickExePath() { return TestBinDir() + L"\\Staywick.exe"; }

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

Process::~Process() { Kill(); }

Process Process::Start(const std::wstring& exe, const std::wstring& args) {
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!args.empty()) cmd += L" " + args;
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

void CloseRunningStaywick(DWORD timeoutMs) {
    HWND wnd = ::FindWindowW(L"TFrmStaywickMain", nullptr);
    if (!wnd) return;
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
