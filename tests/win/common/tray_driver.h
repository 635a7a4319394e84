#pragma once
// Drives and watches the notification area of Wine's desktop taskbar from a
// test process, as a user and the shell would: real mouse clicks through
// xdotool on the session's X display, keys through the system's input queue,
// the icon seen as pixels on the screen, and a stand-in shell window that
// records what the program asks of the shell.
#include <windows.h>

#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace staywick::test {

// Runs `xdotool <args>` on the Wine session's X display and waits for it to
// end. True when xdotool ran and exited with 0.
bool Xdotool(const std::string& args, DWORD timeoutMs = 5000);

// Presses and releases one key through SendInput (xdotool's key events do
// not reach Wine's windows under Xvfb; its mouse events do).
void PressKey(WORD vk);

// What the notification area shows: the bounding box of the pixels that
// differ from the taskbar's background, and whether the glyph is struck
// through (ink in the top-left corner of that box, as in the "D" glyph).
struct TrayIconSeen {
    RECT bounds{};
    int inkPixels = 0;
    bool struck = false;
    POINT Centre() const {
        return {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    }
};

HWND TaskbarWindow();
// The right end of the taskbar, where Wine draws the notification icons.
std::optional<RECT> NotificationArea();
std::optional<TrayIconSeen> SeeTrayIcon();
// Waits until an icon is shown (present) or the area is empty (!present).
std::optional<TrayIconSeen> WaitForTrayIcon(bool present, DWORD timeoutMs);

// Clicks on the icon seen in the notification area through xdotool.
bool DoubleClickTrayIcon();
bool ClickTrayIcon(int button);

// The visible popup menu windows ("#32768") of a process.
std::vector<HWND> VisibleMenus(DWORD processId);

// The program's hidden notification window; the icon's uID is
// kProgramTrayIconId (1).
HWND ProgramNotifyWindow();

// Sets a DWORD under HKCU\...\Themes\Personalize for one test and puts the
// earlier value (or its absence) back afterwards.
class ScopedPersonalizeValue {
public:
    ScopedPersonalizeValue(const wchar_t* name, DWORD value);
    ~ScopedPersonalizeValue();
    ScopedPersonalizeValue(const ScopedPersonalizeValue&) = delete;
    ScopedPersonalizeValue& operator=(const ScopedPersonalizeValue&) = delete;

private:
    std::wstring name_;
    bool had_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> old_;
};

// A hidden top-level "Shell_TrayWnd" above the real taskbar, so that a
// program's Shell_NotifyIconW finds it first while it exists. It answers every
// request with TRUE (or, refusing, with FALSE, as a notification area that is
// not ready yet) and keeps each request's bytes; its own thread serves it.
class StandInShell {
public:
    explicit StandInShell(bool refuse = false);
    ~StandInShell();
    StandInShell(const StandInShell&) = delete;
    StandInShell& operator=(const StandInShell&) = delete;

    HWND Window() const { return wnd_; }
    std::vector<std::string> Requests() const;
    // The Shell_NotifyIconW message of each request (NIM_ADD, NIM_MODIFY, ...).
    std::vector<DWORD> Messages() const;

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Run(HANDLE ready);

    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::vector<DWORD> messages_;
    bool refuse_;
    HWND wnd_ = nullptr;
    DWORD threadId_ = 0;
    std::thread thread_;
};

// True when bytes hold the text as UTF-16, with its terminating NUL.
bool HoldsText(const std::string& bytes, const std::wstring& text);

// The uFlags of a request as Wine's shell passes it on (NIF_INFO and the
// balloon's texts travel together).
DWORD RequestFlags(const std::string& bytes);

} // namespace staywick::test
