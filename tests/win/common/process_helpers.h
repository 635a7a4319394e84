#pragma once
// Helpers for Windows tests that drive the real Staywick.exe as a user and
// the shell would: starting it, finding its windows, files in a private folder.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace staywick::test {

// Folder of the running test program; Staywick.exe is built next to it.
std::wstring TestBinDir();
std::wstring StaywickExePath();

// A fresh folder under the temporary folder, removed with its content.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// A started process; ended by force in the destructor if still running.
class Process {
public:
    Process() = default;
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    ~Process();

    static Process Start(const std::wstring& exe, const std::wstring& args = L"");

    DWORD Id() const { return pi_.dwProcessId; }
    bool Running() const;
    // Exit code once ended within the timeout; nothing while still running.
    std::optional<DWORD> WaitExit(DWORD timeoutMs) const;
    void Kill();

private:
    PROCESS_INFORMATION pi_{};
};

// The running instance's main window ("TFrmStaywickMain"), waited for.
HWND WaitForMainWindow(DWORD timeoutMs);
bool WaitForNoMainWindow(DWORD timeoutMs);

// Ends every instance: WM_CLOSE to the main window, then force for leftovers.
void CloseRunningStaywick(DWORD timeoutMs = 5000);

// Copies Staywick.exe into dir (a portable installation there).
std::wstring InstallCopy(const TempDir& dir);

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);

// Polls a condition every 20 ms until it holds or the timeout passes.
template <class F> bool WaitUntil(DWORD timeoutMs, F condition) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (::GetTickCount64() >= end) return false;
        ::Sleep(20);
    }
}

} // namespace staywick::test
