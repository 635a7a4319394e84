#pragma once
// Idle measurement and the wake actions on Windows.
#include "platform/input_power.h"

#include <windows.h>

#include <functional>

namespace staywick {

using ExecutionStateFunction = EXECUTION_STATE(WINAPI*)(EXECUTION_STATE);

// Brings `applicationWindow` (the hidden top-level window that stands for the
// program) to the foreground, starting from `window`: a neutral input event
// first, so the system lets this process take the foreground, then the
// z-order dance. Results are ignored: nothing can be done about a refusal.
void ForceForegroundWindow(HWND window, HWND applicationWindow);

class InputPowerWin32 final : public InputPower {
public:
    // `processMessages` handles the GUI thread's pending messages (the
    // application's ProcessMessages); `setExecutionState` lets tests see the
    // flags passed, as Wine's implementation does nothing.
    InputPowerWin32(HWND applicationWindow, std::function<void()> processMessages,
                    ExecutionStateFunction setExecutionState = &::SetThreadExecutionState);

    std::uint32_t GetIdleMilliseconds() override;
    void SimulateKeyPress(std::int32_t inputKey) override;
    void RequestAwakeState() override;
    void RequestSystemAwakeState() override;
    void ReleaseAwakeState() override;
    void ForceForegroundOnDesktop() override;
    void Sleep(std::uint32_t ms) override;
    void ProcessMessages() override;

private:
    HWND applicationWindow_;
    std::function<void()> processMessages_;
    ExecutionStateFunction setExecutionState_;
};

} // namespace staywick
