// Idle measurement and the wake actions through the real Win32 calls: a
// forced wake resets the system's last-input time, the configured key
// arrives, and the awake request passes the exact execution-state flags.
#include "engine/keep_awake_controller.h"
#include "fakes/fake_keep_awake_seams.h"
#include "platform/win32/input_power_win32.h"
#include "ui/application.h"
#include "ui/timer_port_win32.h"
#include "win/common/process_helpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace staywick {
namespace {

std::vector<EXECUTION_STATE> gExecutionStates;

EXECUTION_STATE WINAPI RecordExecutionState(EXECUTION_STATE flags) {
    gExecutionStates.push_back(flags);
    return ES_CONTINUOUS;
}

TEST(InputPowerWin32, ForcedWakeResetsTheLastInputTime) {
    Application app(L"Staywick");
    InputPowerWin32 input(
        app.Handle(), [&] { app.ProcessMessages(); }, &RecordExecutionState);
    TStaywickOptions options;
    options.SleepMax = 0; // every tick forces a wake
    fakes::RecordingView view;
    fakes::RecordingDiagnostics diagnostics;
    TimerPortWin32 mainPort, countDownPort, debugPort;
    KeepAwakeController controller(options, view, input, diagnostics, [] {},
                                   {mainPort, countDownPort, debugPort});

    // Idle time that nothing announces: let it grow, so that the wake's reset
    // shows.
    ASSERT_TRUE(test::WaitUntil(5000, [&] { return input.GetIdleMilliseconds() >= 350; }));
    const std::uint32_t before = input.GetIdleMilliseconds();
    const DWORD started = ::GetTickCount();
    controller.TimerMainTimer();
    const DWORD blocked = ::GetTickCount() - started;
    const std::uint32_t after = input.GetIdleMilliseconds();
    const DWORD sinceStart = ::GetTickCount() - started;

    EXPECT_GE(before, 350u);
    // The last input came while the tick ran, however long the machine took.
    EXPECT_LE(after, sinceStart) << "the simulated presses count as input";
    EXPECT_GE(blocked, 280u) << "two 50 ms pauses and two 100 ms key holds";
    EXPECT_EQ(controller.TimerMain.Interval(), 5000u);
}

TEST(InputPowerWin32, IdleGrowsWithoutInput) {
    Application app(L"Staywick");
    InputPowerWin32 input(app.Handle(), {});
    input.SimulateKeyPress(2);
    const DWORD firstAt = ::GetTickCount();
    const std::uint32_t first = input.GetIdleMilliseconds();
    // The span over which the idle time must grow with the clock.
    ASSERT_TRUE(test::WaitUntil(5000, [&] { return ::GetTickCount() - firstAt >= 300; }));
    const std::uint32_t second = input.GetIdleMilliseconds();
    const DWORD elapsed = ::GetTickCount() - firstAt;
    EXPECT_GE(second - first, 250u);
    // No faster than the clock (a tick's rounding aside).
    EXPECT_LE(second - first, elapsed + 20) << "elapsed " << elapsed;
}

// A focused window of this thread sees the synthetic key's down and up.
class KeyWindow {
public:
    KeyWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"StaywickKeyProbe";
        ::RegisterClassW(&wc);
        hwnd_ =
            ::CreateWindowExW(0, wc.lpszClassName, L"Key probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              100, 100, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
        ::SetForegroundWindow(hwnd_);
        ::SetFocus(hwnd_);
        Drain(200);
        // Keys pressed by earlier tests may still be waiting in this thread's queue.
        downs.clear();
        ups.clear();
    }
    ~KeyWindow() { ::DestroyWindow(hwnd_); }
    KeyWindow(const KeyWindow&) = delete;
    KeyWindow& operator=(const KeyWindow&) = delete;

    // Handles messages for `ms`, keeping the virtual-key codes of key messages.
    void Drain(DWORD ms) {
        const DWORD end = ::GetTickCount() + ms;
        while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.hwnd == hwnd_ && msg.message == WM_KEYDOWN)
                    downs.push_back(msg.wParam);
                if (msg.hwnd == hwnd_ && msg.message == WM_KEYUP)
                    ups.push_back(msg.wParam);
                ::DispatchMessageW(&msg);
            }
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }

    std::vector<WPARAM> downs, ups;

private:
    HWND hwnd_ = nullptr;
};

TEST(InputPowerWin32, ConfiguredKeyIsPressedAndReleased) {
    struct Row {
        std::int32_t inputKey;
        WPARAM vk;
    };
    Application app(L"Staywick");
    InputPowerWin32 input(app.Handle(), {});
    for (const Row row : {Row{.inputKey = 0, .vk = VK_F15}, Row{.inputKey = 2, .vk = VK_SHIFT},
                          Row{.inputKey = -1, .vk = VK_SHIFT}}) {
        KeyWindow window;
        input.SimulateKeyPress(row.inputKey);
        window.Drain(100);
        EXPECT_EQ(window.downs, std::vector<WPARAM>{row.vk}) << "InputKey " << row.inputKey;
        EXPECT_EQ(window.ups, std::vector<WPARAM>{row.vk}) << "InputKey " << row.inputKey;
    }
}

TEST(InputPowerWin32, AwakeRequestPassesTheExactFlags) {
    gExecutionStates.clear();
    InputPowerWin32 input(nullptr, {}, &RecordExecutionState);
    input.RequestAwakeState();
    input.ReleaseAwakeState();
    EXPECT_EQ(gExecutionStates, (std::vector<EXECUTION_STATE>{0x80000003u, 0x80000000u}));
}

TEST(InputPowerWin32, ForceForegroundBringsTheApplicationWindowForward) {
    Application app(L"Staywick");
    InputPowerWin32 input(app.Handle(), {});
    KeyWindow other; // someone else's window in front
    ASSERT_NE(::GetForegroundWindow(), app.Handle());
    input.ForceForegroundOnDesktop();
    EXPECT_EQ(::GetForegroundWindow(), app.Handle());
    // The desktop window is never minimised and does not stay topmost.
    const HWND desktop = ::GetDesktopWindow();
    EXPECT_FALSE(::IsIconic(desktop));
    EXPECT_EQ(::GetWindowLongPtrW(desktop, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

} // namespace
} // namespace staywick
