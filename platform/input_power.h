#pragma once
// Idle measurement and the wake actions: what the keep-awake tick needs from
// the platform. Implementations keep no state of their own that matters to
// the tick; failures of the platform calls are not reported.
#include <cstdint>

namespace staywick {

class InputPower {
public:
    virtual ~InputPower() = default;

    // Milliseconds since the last user input (32-bit, modulo 2^32); 0 when
    // the platform cannot tell.
    virtual std::uint32_t GetIdleMilliseconds() = 0;
    // Presses and releases the key chosen by `inputKey` (0 F15, 1 Num Lock,
    // any other value Shift), holding it for 100 ms.
    virtual void SimulateKeyPress(std::int32_t inputKey) = 0;
    // Holds / releases the request that system and display stay on.
    virtual void RequestAwakeState() = 0;
    // Holds the system request alone, letting the display turn off.
    virtual void RequestSystemAwakeState() = 0;
    virtual void ReleaseAwakeState() = 0;
    // Brings the program's application window to the foreground, starting
    // from the desktop window.
    virtual void ForceForegroundOnDesktop() = 0;
    // Blocks the calling (GUI) thread.
    virtual void Sleep(std::uint32_t ms) = 0;
    // Handles every message already waiting in the GUI thread's queue; their
    // handlers run inside the caller.
    virtual void ProcessMessages() = 0;
};

} // namespace staywick
