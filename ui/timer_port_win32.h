#pragma once
// The timer port on Windows: a window timer with an id of its own on one
// hidden message-only window that all timers of the thread share (one window
// made at start-up instead of one per timer). WM_TIMER runs the callback
// inside the application's standard error report (through Window).
#include "platform/timer_port.h"

#include <functional>

namespace staywick {

class TimerPortWin32 final : public TimerPort {
public:
    TimerPortWin32();
    ~TimerPortWin32() override;
    TimerPortWin32(const TimerPortWin32&) = delete;
    TimerPortWin32& operator=(const TimerPortWin32&) = delete;

    bool Start(std::uint32_t intervalMs) override;
    void Stop() override;
    void SetOnFire(std::function<void()> onFire) override { onFire_ = std::move(onFire); }

    // The shared window's WM_TIMER for this port.
    void Fire();

private:
    std::uintptr_t id_ = 0;
    std::function<void()> onFire_;
};

} // namespace staywick
