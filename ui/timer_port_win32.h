#pragma once
// The timer port on Windows: a window timer (id 1) on a hidden message-only
// window that the timer owns. WM_TIMER runs the callback inside the
// application's standard error report (through Window).
#include "platform/timer_port.h"
#include "ui/window.h"

#include <functional>

namespace staywick {

class TimerPortWin32 final : public TimerPort, private Window {
public:
    TimerPortWin32();
    ~TimerPortWin32() override;

    bool Start(std::uint32_t intervalMs) override;
    void Stop() override;
    void SetOnFire(std::function<void()> onFire) override { onFire_ = std::move(onFire); }

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    std::function<void()> onFire_;
};

} // namespace staywick
