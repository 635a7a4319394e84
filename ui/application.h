#pragma once
// The hidden application window (title "Staywick", owner of all the program's
// windows) and the message loop with its application-wide hook.
#include "ui/window.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace staywick {

// The exit code of a start that could not create the main window or one of
// its parts.
inline constexpr int kExitCreateFailed = 1;

class Application : public Window {
public:
    // Sees every queued message before it is translated and dispatched;
    // setting `handled` swallows the message.
    using MessageHook = std::function<void(const MSG& msg, bool& handled)>;

    explicit Application(const std::wstring& title);
    ~Application() override;

    void SetOnMessage(MessageHook hook) { onMessage_ = std::move(hook); }

    // Runs until Terminate (or WM_QUIT); returns the exit code.
    int Run();

    // Creates the main window, then runs the loop until the program ends and
    // returns the loop's exit code. When the window or one of its parts cannot
    // be created (an error escapes `createMainWindow`), the error goes to the
    // standard report and the result is kExitCreateFailed without any loop:
    // a program without its tray icon or its timers could be neither seen nor
    // ended by the user, so it ends instead of running on.
    int RunMainWindow(const std::function<std::unique_ptr<Window>()>& createMainWindow);
    void Terminate() { ::PostQuitMessage(0); }
    bool Terminated() const noexcept { return terminated_; }

    // Handles every message already waiting, as the loop would.
    void ProcessMessages();

    // Runs `work` once, after the loop has first waited for input with
    // nothing queued: the point at which WaitForInputIdle finds the program
    // ready. Start-up work that the first status and the icon do not need
    // waits for it. An empty `work` takes back what was asked for.
    void AfterFirstIdle(std::function<void()> work);

    // Modeless dialog-like windows get Tab, Enter and Esc handling.
    void AddDialogWindow(HWND wnd);
    void RemoveDialogWindow(HWND wnd);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Returns false on WM_QUIT.
    bool HandleOneMessage(MSG& msg);
    // With work waiting for the first idle moment and nothing queued: a
    // timer that only comes once the loop has waited.
    void ArmIdleWork();

    MessageHook onMessage_;
    std::function<void()> idleWork_;
    bool idleTimerSet_ = false;
    std::vector<HWND> dialogWindows_;
    bool terminated_ = false;
    int exitCode_ = 0;
};

} // namespace staywick
