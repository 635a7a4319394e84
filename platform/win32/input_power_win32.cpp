#include "platform/win32/input_power_win32.h"

#include "platform/input_rules.h"

#include <cstring>

namespace staywick {

void ForceForegroundWindow(HWND window, HWND applicationWindow) {
    // An all-zero record: a mouse event without movement, data or flags.
    INPUT input;
    std::memset(&input, 0, sizeof(input));
    ::SendInput(1, &input, sizeof(INPUT));
    if (::IsIconic(window)) {
        ::ShowWindow(window, SW_RESTORE);
    } else {
        ::SetForegroundWindow(::GetLastActivePopup(applicationWindow));
    }
    ::SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    ::SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    ::SetForegroundWindow(applicationWindow);
}

InputPowerWin32::InputPowerWin32(HWND applicationWindow, std::function<void()> processMessages,
                                 ExecutionStateFunction setExecutionState)
    : applicationWindow_(applicationWindow), processMessages_(std::move(processMessages)),
      setExecutionState_(setExecutionState) {}

std::uint32_t InputPowerWin32::GetIdleMilliseconds() {
    LASTINPUTINFO info;
    info.cbSize = sizeof(LASTINPUTINFO);
    info.dwTime = 0;
    if (!::GetLastInputInfo(&info))
        return 0;
    return IdleFromTicks(::GetTickCount(), info.dwTime);
}

void InputPowerWin32::SimulateKeyPress(std::int32_t inputKey) {
    const BYTE key = VirtualKeyForInputKey(inputKey);
    ::keybd_event(key, 0, 0, 0);
    ::Sleep(100); // held for 100 ms
    ::keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
}

void InputPowerWin32::RequestAwakeState() {
    setExecutionState_(kAwakeRequestFlags);
}

void InputPowerWin32::RequestSystemAwakeState() {
    // A continuous call replaces the flags of the one before it.
    setExecutionState_(kSystemAwakeRequestFlags);
}

void InputPowerWin32::ReleaseAwakeState() {
    setExecutionState_(kAwakeReleaseFlags);
}

void InputPowerWin32::ForceForegroundOnDesktop() {
    ForceForegroundWindow(::GetDesktopWindow(), applicationWindow_);
}

void InputPowerWin32::Sleep(std::uint32_t ms) {
    ::Sleep(ms);
}

void InputPowerWin32::ProcessMessages() {
    if (processMessages_)
        processMessages_();
}

} // namespace staywick
