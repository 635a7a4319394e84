#pragma once
// Tray: the notification-area icon, written directly on Shell_NotifyIconW.
// One NOTIFYICONDATAW record is kept for the icon's whole life and passed to
// every shell call; a hidden window of the component receives the icon's
// callback messages (WM_USER + 1), the end-of-session messages and the
// shell's "TaskbarCreated". A refused NIM_ADD is tried again for a while
// (tray/tray_add_retry.h).
#include "common/win32/handles.h"
#include "platform/timer_port.h"
#include "tray/tray_add_retry.h"
#include "tray/win32/rc_popup_menu.h"
#include "ui/timer_port_win32.h"
#include "ui/window.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace staywick {

using ShellNotifyIconFn = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);

inline constexpr UINT kTrayCallbackMessage = WM_USER + 1;

// One callback of the shell, in either form it is sent in.
struct TrayEvent {
    UINT message = 0;      // the mouse, keyboard or balloon event
    bool version4 = false; // sent in the NOTIFYICON_VERSION_4 form
    POINT anchor{};        // version 4: where the icon is (screen coordinates)
};
// Reads the callback's wParam and lParam: the version-4 form carries the
// icon's number in lParam's high word, the legacy form a plain message.
TrayEvent ReadTrayCallback(WPARAM wParam, LPARAM lParam, UINT iconId);

class TTrayIcon : private Window {
public:
    // applicationWindow: brought to the foreground before the menu opens.
    // shell: the Shell_NotifyIconW to call (tests record the calls).
    // retryTimer: the timer of the add retries; nullptr for a window timer
    // of its own (tests pass one they fire themselves).
    // Throws AppError when the notification window cannot be created.
    explicit TTrayIcon(HWND applicationWindow, ShellNotifyIconFn shell = &::Shell_NotifyIconW,
                       TimerPort* retryTimer = nullptr);
    ~TTrayIcon() override;
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    bool Visible() const noexcept { return visible_; }
    // NIM_ADD or NIM_DELETE; a failing delete of an icon the shell took
    // throws AppError(L"Cannot remove shell notification icon").
    void SetVisible(bool value);
    // After a resume: while visible, the icon is added again when the shell
    // no longer knows it (NIM_MODIFY refused).
    void ShowAgain();
    // Whether refused adds are being tried again.
    bool RetryingAdd() const noexcept { return addRetry_.Running(); }

    const std::wstring& Hint() const noexcept { return hint_; }
    void SetHint(const std::wstring& value);

    // The icon is copied; nullptr shows the program's main icon.
    void SetIcon(HICON icon);
    HICON Icon() const noexcept { return icon_.Get(); }

    const std::wstring& BalloonTitle() const noexcept { return balloonTitle_; }
    void SetBalloonTitle(const std::wstring& value);
    const std::wstring& BalloonHint() const noexcept { return balloonHint_; }
    void SetBalloonHint(const std::wstring& value);
    std::uint8_t BalloonFlags = 0; // 0 none, 1 information, 2 warning, 3 error
    std::int32_t BalloonTimeout = 10000;
    // Posts the balloon with the current title, text and flags, once: the
    // record does not keep NIF_INFO, so no later call posts it again.
    void ShowBalloonHint();
    // Empties the stored balloon text without a shell call: the balloon
    // already posted stays up, and the next text set counts as a change.
    void ForgetBalloonHint() noexcept { balloonHint_.clear(); }

    TRCPopupMenu* PopupMenu = nullptr;
    std::function<void()> OnDblClick;
    // The user clicked the balloon (NIN_BALLOONUSERCLICK).
    std::function<void()> OnBalloonClick;
    // WM_ENDSESSION with wParam TRUE (sign-out, shutdown, or Restart Manager
    // closing the program): the owner ends the program, icon included.
    // Unset, the icon is removed here.
    std::function<void()> OnEndSession;
    // Handles the messages already waiting before the menu opens (the
    // application's ProcessMessages); a plain dispatch loop when unset.
    std::function<void()> ProcessMessages;
    // Milliseconds for telling a repeated key select apart; GetTickCount
    // when unset (tests move it themselves).
    std::function<DWORD()> TickCount;

    const NOTIFYICONDATAW& Record() const noexcept { return data_; }
    HWND NotificationWindow() const noexcept { return Handle(); }
    // The registered "TaskbarCreated" message.
    UINT TaskbarCreatedMessage() const noexcept { return taskbarCreated_; }

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool Notify(DWORD message);
    // NIM_ADD, noting whether the shell took the icon.
    bool NotifyAdd();
    // NIM_ADD; refused, it is tried again for a while.
    void Add();
    void OnCallback(WPARAM wParam, LPARAM lParam);
    // At the anchor, or at the mouse pointer when there is none.
    void OpenMenu(std::optional<POINT> anchor);

    HWND appWindow_;
    ShellNotifyIconFn shell_;
    UINT taskbarCreated_ = 0;
    NOTIFYICONDATAW data_{};
    bool visible_ = false;
    bool added_ = false; // the shell took the icon with the last NIM_ADD
    bool keySelected_ = false;
    DWORD lastKeySelect_ = 0;
    std::wstring hint_;
    std::wstring balloonTitle_, balloonHint_;
    win32::IconHandle icon_;
    std::unique_ptr<TimerPortWin32> ownRetryTimer_;
    TrayAddRetry addRetry_;
};

// Posts a balloon notification on the icon and leaves it up for the shell's
// time: title and text (each sent only when it changed), flags, show; then the
// stored text is forgotten locally, so the next call sends and posts it again.
// Nothing else posts it: not a later status change, nor a restarted shell.
void ShowTrayBalloon(TTrayIcon& Tray, const std::wstring& Title, const std::wstring& Text,
                     std::uint8_t Flags);

} // namespace staywick
