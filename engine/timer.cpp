#include "engine/timer.h"

#include "common/app_error.h"

namespace staywick {

TTimer::TTimer(TimerPort& port, bool enabled, std::uint32_t interval, std::function<void()> onTimer)
    : port_(port), enabled_(enabled), interval_(interval), onTimer_(std::move(onTimer)) {
    port_.SetOnFire([this] { Fire(); });
    UpdateTimer();
}

TTimer::~TTimer() {
    port_.Stop();
    port_.SetOnFire({});
}

void TTimer::SetEnabled(bool value) {
    if (value == enabled_)
        return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::SetInterval(std::uint32_t value) {
    if (value == interval_)
        return;
    interval_ = value;
    UpdateTimer();
}

void TTimer::FireIn(std::uint32_t ms) {
    if (!enabled_ || interval_ == 0)
        return;
    port_.Stop();
    shifted_ = ms != interval_;
    if (!port_.Start(ms)) {
        shifted_ = false;
        throw AppError(L"Not enough timers available");
    }
}

void TTimer::UpdateTimer() {
    shifted_ = false;
    port_.Stop();
    if (enabled_ && interval_ != 0 && !port_.Start(interval_)) {
        throw AppError(L"Not enough timers available");
    }
}

void TTimer::Fire() {
    // After FireIn, the expiries go back to the interval.
    if (shifted_)
        UpdateTimer();
    if (onTimer_) {
        // A copy, so a handler that replaces the handler does not destroy the
        // function that is running.
        const auto handler = onTimer_;
        handler();
    }
}

} // namespace staywick
