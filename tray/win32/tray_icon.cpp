#include "tray/win32/tray_icon.h"

#include "common/app_error.h"
#include "common/app_names.h"

#include <versionhelpers.h>

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
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
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
        OnCallback(lParam);
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

void TTrayIcon::OnCallback(LPARAM event) {
    switch (static_cast<UINT>(event)) {
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (OnDblClick)
            OnDblClick();
        break;
    case WM_RBUTTONUP:
        OpenMenu();
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
        break; // single clicks, presses and moves: nothing
    }
}

void TTrayIcon::OpenMenu() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
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
    if (PopupMenu)
        PopupMenu->Popup(cursor.x, cursor.y);
}

} // namespace staywick
