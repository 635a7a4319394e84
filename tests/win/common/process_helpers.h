#pragma once
// Helpers for Windows tests that drive the real Staywick.exe as a user and
// the shell would: starting it, finding its windows, files in a private folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
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
// The main window of process `pid` once its start-up step has run: the shell
// holds its tray icon and the step has returned to the message loop.
HWND WaitForStartUp(DWORD pid, DWORD timeoutMs = 10000);

// Ends every instance: WM_CLOSE to the main window, then force for leftovers.
void CloseRunningStaywick(DWORD timeoutMs = 5000);

// Copies Staywick.exe into dir (a portable installation there).
std::wstring InstallCopy(const TempDir& dir);

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);

// Top-level windows of process `pid` of window class `cls` (any class when
// nullptr; and caption, when given), in z-order.
std::vector<HWND> ProcessWindows(DWORD pid, const wchar_t* cls, const wchar_t* caption = nullptr);
// The first visible one, waited for; nullptr after the timeout.
HWND WaitForProcessWindow(DWORD pid, const wchar_t* cls, const wchar_t* caption, DWORD timeoutMs);

// True when process `pid` has loaded a module of this file name (any folder,
// any case).
bool ProcessHasModule(DWORD pid, const wchar_t* fileName);
bool WaitForWindowVisible(HWND wnd, bool visible, DWORD timeoutMs);

// A window's text (read across processes with WM_GETTEXT).
std::wstring WindowText(HWND wnd);

// Returns once the thread that owns `wnd` has handled this message: what it
// was doing when the message came, and every message sent to it before, is
// done. A posted message may still wait behind it (sent ones go first), so
// wait for a posted message's effect instead. False when the thread did not
// answer in time or has gone.
bool SyncWithWindow(HWND wnd, DWORD timeoutMs = 5000);

// A child control, waited for: a window can be found while it is still being
// created, before its children exist.
HWND WaitForChild(HWND parent, int id, DWORD timeoutMs);

// A message box (of any process) with this caption, once it is shown with its
// text in place.
struct SeenMessageBox {
    HWND box = nullptr;
    std::wstring caption, text;
};
std::optional<SeenMessageBox> WaitForMessageBox(const wchar_t* caption, DWORD timeoutMs);

// The program's tray icon as the shell knows it: true while the shell holds
// an icon for the program's notification window. The icon's uID is always 1.
inline constexpr UINT kProgramTrayIconId = 1;
HWND TrayNotifyWindow(DWORD pid);
// The first of the program's open menus (class "#32768"), or nullptr.
HWND VisibleMenuWindow(DWORD pid);
bool ShellHasTrayIcon(HWND notifyWindow);

// Right-clicks the program's tray icon (its callback message, as the shell
// sends it) and chooses the menu item reached by `downPresses` presses of
// Down: the first press selects the first item, separators are skipped.
// False when no menu opened or it did not close after the choice.
bool ChooseTrayMenuItem(DWORD pid, int downPresses, DWORD timeoutMs = 5000);
// The same into the submenu of the item `downPresses` reaches: Right opens
// it, then `upPresses` presses of Up from its first item (one reaches its
// last item).
bool ChooseTraySubmenuItem(DWORD pid, int downPresses, int upPresses, DWORD timeoutMs = 5000);

// The clipboard's Unicode text; nothing when it holds none.
std::optional<std::wstring> ClipboardText();
void SetClipboardText(const std::wstring& text);

// Sets an environment variable of this process (and so of programs it starts)
// for the scope's life.
class ScopedEnv {
public:
    ScopedEnv(const wchar_t* name, const std::wstring& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::wstring name_;
    std::optional<std::wstring> old_;
};

// Runs `/bin/sh -c <command>` on the Wine session's host and waits for it to
// end. Wine cannot wait for a Unix process, so the shell leaves its exit status
// in a marker file. The status, or nothing when it did not end in time.
std::optional<int> RunHostCommand(const std::string& command, DWORD timeoutMs = 5000);

// The host's path of a Windows path (Wine's own mapping); empty when none.
std::string HostPath(const std::wstring& windowsPath);

// Names of the files in a folder matching a wildcard pattern.
std::vector<std::wstring> ListFiles(const std::wstring& folder, const wchar_t* pattern = L"*");

// Milliseconds since the session's last input, as the program reads it.
DWORD SessionIdleMs();
// How many forced wakes an activity log holds.
std::size_t ForcedWakesLogged(const std::wstring& logPath);

// Polls a condition every 20 ms until it holds or the timeout passes.
template <class F> bool WaitUntil(DWORD timeoutMs, F condition) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount64() >= end)
            return false;
        ::Sleep(20);
    }
}

// A portable installation for one test: Staywick.exe copied into a fresh
// folder, which then holds its settings file; no instance runs before or after.
class PortableInstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        CloseRunningStaywick();
        exe_ = InstallCopy(dir_);
    }
    void TearDown() override { CloseRunningStaywick(); }

    std::wstring SettingsPath() const { return dir_.File(L"Staywick.Settings"); }

    TempDir dir_;
    std::wstring exe_;
};

} // namespace staywick::test
