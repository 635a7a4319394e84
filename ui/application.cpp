#include "ui/application.h"

#include "ui/error_report.h"

#include <algorithm>
#include <utility>

namespace staywick {

namespace {
constexpr wchar_t kApplicationClass[] = L"TStaywickApplication";
constexpr UINT_PTR kIdleTimerId = 1;
} // namespace

Application::Application(const std::wstring& title) {
    RegisterWindowClass(kApplicationClass);
    // Never shown: it stands for the program towards the taskbar and owns its windows.
    Create(0, kApplicationClass, title.c_str(),
           WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
           nullptr);
    SetErrorReportOwner(Handle(), title);
}

Application::~Application() {
    SetErrorReportOwner(nullptr, L"Staywick");
    Destroy();
}

bool Application::HandleOneMessage(MSG& msg) {
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        exitCode_ = static_cast<int>(msg.wParam);
        return false;
    }
    bool handled = false;
    if (onMessage_) {
        RunGuarded([&] { onMessage_(msg, handled); });
    }
    if (handled)
        return true;
    for (HWND dialog : dialogWindows_) {
        if (::IsWindowVisible(dialog) && ::IsDialogMessageW(dialog, &msg))
            return true;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    return true;
}

int Application::Run() {
    MSG msg;
    while (!terminated_) {
        ArmIdleWork();
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1)
            break;
        if (!HandleOneMessage(msg))
            break;
    }
    return exitCode_;
}

int Application::RunMainWindow(const std::function<std::unique_ptr<Window>()>& createMainWindow) {
    std::unique_ptr<Window> mainWindow;
    // The window's members are gone again (the stack unwound) before the box opens.
    if (!RunGuarded([&] { mainWindow = createMainWindow(); }) || !mainWindow)
        return kExitCreateFailed;
    return Run();
}

void Application::ProcessMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        // A quit request seen here ends the main loop once the caller returns.
        if (!HandleOneMessage(msg))
            break;
    }
}

void Application::AfterFirstIdle(std::function<void()> work) {
    idleWork_ = std::move(work);
    if (!idleWork_ && idleTimerSet_) {
        ::KillTimer(Handle(), kIdleTimerId);
        idleTimerSet_ = false;
    }
}

void Application::ArmIdleWork() {
    MSG msg;
    if (!idleWork_ || idleTimerSet_ || ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
        return;
    // WM_TIMER comes only when nothing else is queued, and this one no
    // sooner than the system's shortest interval: by then GetMessage has
    // waited for input.
    idleTimerSet_ = ::SetTimer(Handle(), kIdleTimerId, USER_TIMER_MINIMUM, nullptr) != 0;
    if (!idleTimerSet_)
        RunGuarded(std::exchange(idleWork_, nullptr));
}

LRESULT Application::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_TIMER || wParam != kIdleTimerId)
        return DefaultHandling(msg, wParam, lParam);
    ::KillTimer(Handle(), kIdleTimerId);
    idleTimerSet_ = false;
    if (idleWork_)
        std::exchange(idleWork_, nullptr)();
    return 0;
}

void Application::AddDialogWindow(HWND wnd) {
    if (std::find(dialogWindows_.begin(), dialogWindows_.end(), wnd) == dialogWindows_.end()) {
        dialogWindows_.push_back(wnd);
    }
}

void Application::RemoveDialogWindow(HWND wnd) {
    dialogWindows_.erase(std::remove(dialogWindows_.begin(), dialogWindows_.end(), wnd),
                         dialogWindows_.end());
}

} // namespace staywick
