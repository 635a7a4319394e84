#include "tray/win32/tray_icon.h"

#include "common/app_error.h"
#include "common/app_names.h"

#include <versionhelpers.h>

#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace staywick {

namespace {

constexpr wchar_t kNotifyWindowClass[] = L"TTrayIconNotifyWindow";

// The icon's number for the shell. Windows keeps the user's choice to show an
// icon on the taskbar per program and number, so the number stays the same
// from start to start. No guidItem: a GUID ties the icon to one exe path, and
// a portable copy that moves would lose its place.
constexpr UINT kIconId = 1;

template <std::size_t N> void CopyCut(wchar_t (&target)[N], const std::wstring& text) {
    const std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.data(), length, target);
    std::fill(target + length, target + N, L'\0');
}

HICON MainIcon() {
    // The program's icon is resource 1; elsewhere (test programs) the stock one.
    if (HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)))
        return icon;
    return ::LoadIconW(nullptr, IDI_APPLICATION);
}

} // namespace

TTrayIcon::TTrayIcon(HWND applicationWindow, ShellNotifyIconFn shell, TimerPort* retryTimer)
    : appWindow_(applicationWindow), shell_(shell), hint_(kAppTitle),
      ownRetryTimer_(retryTimer ? nullptr : std::make_unique<TimerPortWin32>()),
      addRetry_(retryTimer ? *retryTimer : *ownRetryTimer_,
                [this] { return !visible_ || NotifyAdd(); }) {
    RegisterWindowClass(kNotifyWindowClass);
    // Top-level (not message-only), so that the shell's broadcasts reach it.
    // Without it no icon could ever be added, and a program that keeps the
    // computer awake with no icon could be neither seen nor ended.
    if (!Create(0, kNotifyWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr))
        throw AppError(L"Cannot create the tray icon window");
    taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");

    data_.cbSize =
        ::IsWindowsVersionOrGreater(6, 0, 0) ? sizeof(NOTIFYICONDATAW) : NOTIFYICONDATAW_V2_SIZE;
    data_.hWnd = Handle();
    data_.uID = kIconId;
    // NIF_SHOWTIP: with version 4 the shell shows the tip only when asked to.
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data_.uCallbackMessage = kTrayCallbackMessage;
    data_.hIcon = MainIcon();
    CopyCut(data_.szTip, hint_);
    data_.uTimeout = static_cast<UINT>(BalloonTimeout);
}

TTrayIcon::~TTrayIcon() {
    Notify(NIM_DELETE); // whatever is left; the result no longer matters
    Destroy();
}

bool TTrayIcon::Notify(DWORD message) {
    data_.uTimeout = static_cast<UINT>(BalloonTimeout);
    return shell_(message, &data_) != FALSE;
}

bool TTrayIcon::NotifyAdd() {
    added_ = Notify(NIM_ADD);
    // The version is the shell's per add: every add and re-add asks again.
    // Version 4 brings the keyboard's events (NIN_KEYSELECT, WM_CONTEXTMENU
    // with the icon's anchor); a shell that refuses it (Wine's) keeps
    // sending the legacy form, which OnCallback serves as well.
    if (added_) {
        data_.uVersion = NOTIFYICON_VERSION_4;
        shell_(NIM_SETVERSION, &data_);
        data_.uTimeout = static_cast<UINT>(BalloonTimeout); // the same field
    }
    return added_;
}

void TTrayIcon::SetVisible(bool value) {
    if (value == visible_)
        return;
    visible_ = value;
    if (value) {
        Add();
    } else {
        addRetry_.End();
        // An icon the shell never took (refused at sign-in, lost with a
        // restarted shell) is no fault to report when it cannot be removed;
        // the delete still goes out, in case the shell took it after all.
        const bool wasAdded = std::exchange(added_, false);
        if (!Notify(NIM_DELETE) && wasAdded)
            throw AppError(L"Cannot remove shell notification icon");
    }
}

void TTrayIcon::Add() {
    if (NotifyAdd()) {
        addRetry_.End();
    } else {
        addRetry_.Begin(); // silently; "TaskbarCreated" still works meanwhile
    }
}

void TTrayIcon::ShowAgain() {
    if (visible_ && !addRetry_.Running() && !Notify(NIM_MODIFY))
        Add();
}

void TTrayIcon::SetHint(const std::wstring& value) {
    if (value == hint_)
        return;
    hint_ = value;
    CopyCut(data_.szTip, hint_);
    if (hint_.empty()) {
        data_.uFlags &= ~static_cast<UINT>(NIF_TIP);
    } else {
        data_.uFlags |= NIF_TIP;
    }
    if (visible_)
        Notify(NIM_MODIFY);
}

void TTrayIcon::SetIcon(HICON icon) {
    icon_.Reset(icon ? ::CopyIcon(icon) : nullptr);
    data_.hIcon = icon_ ? icon_.Get() : MainIcon();
    if (visible_)
        Notify(NIM_MODIFY);
}

void TTrayIcon::SetBalloonTitle(const std::wstring& value) {
    if (value == balloonTitle_)
        return;
    balloonTitle_ = value;
    CopyCut(data_.szInfoTitle, balloonTitle_);
    Notify(NIM_MODIFY);
}

void TTrayIcon::SetBalloonHint(const std::wstring& value) {
    if (value == balloonHint_)
        return;
    balloonHint_ = value;
    CopyCut(data_.szInfo, balloonHint_);
    Notify(NIM_MODIFY);
}

void TTrayIcon::ShowBalloonHint() {
    data_.uFlags |= NIF_INFO;
    // Not in the first hour after a user's first sign-in, when Windows asks
    // programs to keep quiet; the flag does nothing at any other time.
    data_.dwInfoFlags = BalloonFlags | NIIF_RESPECT_QUIET_TIME;
    Notify(NIM_MODIFY);
    // Only this call posts the balloon: every later NIM_MODIFY (a status
    // change, a resume, a restarted shell's add) would post it again, each
    // time a new notification on Windows 10 and 11. Taken off the record
    // without a shell call, so the balloon already up stays up.
    data_.uFlags &= ~static_cast<UINT>(NIF_INFO);
}

void ShowTrayBalloon(TTrayIcon& Tray, const std::wstring& Title, const std::wstring& Text,
                     std::uint8_t Flags) {
    Tray.SetBalloonTitle(Title);
    Tray.SetBalloonHint(Text);
    Tray.BalloonFlags = Flags;
    Tray.ShowBalloonHint();
    // No empty text to the shell: a NIM_MODIFY with NIF_INFO and an empty
    // text would take the balloon down in the moment it was posted.
    Tray.ForgetBalloonHint();
}

LRESULT TTrayIcon::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case kTrayCallbackMessage:
        OnCallback(wParam, lParam);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam != 0) {
            if (OnEndSession) {
                OnEndSession();
            } else {
                addRetry_.End();
                Notify(NIM_DELETE);
                added_ = false; // gone: nothing left to report at the exit
            }
        }
        return 0;
    default:
        if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
            // The shell restarted: the icon comes back with the current record,
            // and tries already under way end (a refusal here starts afresh).
            addRetry_.End();
            if (visible_)
                Add();
            return 0;
        }
        return DefaultHandling(msg, wParam, lParam);
    }
}

TrayEvent ReadTrayCallback(WPARAM wParam, LPARAM lParam, UINT iconId) {
    // Version 4: the event in the low word, the icon's number in the high
    // word, the anchor (screen coordinates) in wParam. Legacy: the event is
    // the whole lParam (below 0x10000, so its high word is 0) and wParam the
    // icon's number.
    const UINT high = HIWORD(static_cast<DWORD>(lParam));
    if (high == iconId && iconId != 0) {
        return TrayEvent{.message = LOWORD(static_cast<DWORD>(lParam)),
                         .version4 = true,
                         .anchor = POINT{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)}};
    }
    return TrayEvent{.message = static_cast<UINT>(lParam)};
}

void TTrayIcon::OnCallback(WPARAM wParam, LPARAM lParam) {
    const TrayEvent event = ReadTrayCallback(wParam, lParam, data_.uID);
    switch (event.message) {
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (OnDblClick)
            OnDblClick();
        break;
    case NIN_KEYSELECT: {
        // Enter or Space on the focused icon (Win+B, arrows) does what a
        // double click does. Windows 10 and 11 deliver Enter twice: a second
        // one within the double-click time is the same key press.
        const DWORD now = TickCount ? TickCount() : ::GetTickCount();
        const bool repeat = keySelected_ && now - lastKeySelect_ < ::GetDoubleClickTime();
        keySelected_ = true;
        lastKeySelect_ = now;
        if (!repeat && OnDblClick)
            OnDblClick();
        break;
    }
    case WM_RBUTTONUP:
        // In version 4 the shell follows every right click with
        // WM_CONTEXTMENU: the menu opens there, once.
        if (!event.version4)
            OpenMenu(std::nullopt);
        break;
    case WM_CONTEXTMENU:
        // Shift+F10, the menu key, or the right button in version 4: at the
        // anchor the shell gives, which is the icon when no mouse was used.
        OpenMenu(event.version4 ? std::optional<POINT>(event.anchor) : std::nullopt);
        break;
    case NIN_BALLOONHIDE:
    case NIN_BALLOONTIMEOUT:
        data_.uFlags &= ~static_cast<UINT>(NIF_INFO);
        break;
    case NIN_BALLOONUSERCLICK:
        if (OnBalloonClick)
            OnBalloonClick();
        break;
    default:
        // Single clicks, presses, moves and balloon clicks: nothing. So is
        // NIN_SELECT: version 4 sends it after every single left click, and
        // a single click is designed to do nothing.
        break;
    }
}

void TTrayIcon::OpenMenu(std::optional<POINT> anchor) {
    POINT at{};
    if (anchor)
        at = *anchor;
    else
        ::GetCursorPos(&at);
    ::SetForegroundWindow(appWindow_);
    if (ProcessMessages) {
        ProcessMessages();
    } else {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (!PopupMenu)
        return;
    // Closed without a choice (Esc, a click elsewhere): the keyboard's focus
    // goes back to the icon, where the user left it.
    if (!PopupMenu->Popup(at.x, at.y))
        Notify(NIM_SETFOCUS);
}

} // namespace staywick
