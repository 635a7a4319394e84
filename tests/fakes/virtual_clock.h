#pragma once
// A virtual clock for the GUI thread: time moves only when a test says so.
// Timers follow the platform contract exactly (periodic, first expiry one
// interval after Start, due timers fire in time order, re-arms inside
// handlers respected). Sleep blocks the "thread": time passes but nothing
// fires until the message queue is pumped or the test advances the clock.
#include "platform/timer_port.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

namespace staywick::fakes {

class FakeTimerPort;

class VirtualClock {
public:
    // `startTick` is the 32-bit tick count at time 0, so tests can place the wrap.
    explicit VirtualClock(std::uint32_t startTick = 0) : startTick_(startTick) {}

    std::uint64_t Now() const noexcept { return now_; }
    std::uint32_t TickCount() const noexcept {
        return static_cast<std::uint32_t>(startTick_ + now_);
    }

    // Lets time pass, firing every timer that falls due on the way, in order.
    void Advance(std::uint64_t ms) { AdvanceTo(now_ + ms); }
    inline void AdvanceTo(std::uint64_t target);
    // The thread is blocked: time passes, nothing fires.
    void Sleep(std::uint32_t ms) noexcept { now_ += ms; }
    // The computer sleeps, and window timers do not count the time asleep:
    // time passes, nothing fires, and every armed timer's expiry moves on by
    // the time asleep.
    inline void SleepUncountedByTimers(std::uint64_t ms) noexcept;
    // A message for the GUI thread's queue; it runs at the next pump.
    void Post(std::function<void()> message) { queue_.push_back(std::move(message)); }
    // Handles what is waiting: posted messages, then timers already due
    // (each timer at most once per pump, as one WM_TIMER is pending per timer).
    inline void Pump();

    // Longest time the clock moved while one timer handler ran.
    std::uint64_t LongestHandlerMs() const noexcept { return longestHandler_; }
    std::uint64_t NextSequence() noexcept { return ++sequence_; }

    void Register(FakeTimerPort* port) { ports_.push_back(port); }
    void Unregister(FakeTimerPort* port) {
        ports_.erase(std::remove(ports_.begin(), ports_.end(), port), ports_.end());
    }

private:
    // Fires the earliest timer due at or before `limit`, if any; returns it.
    inline FakeTimerPort* FireNext(std::uint64_t limit, const std::vector<FakeTimerPort*>& skip);
    inline void Fire(FakeTimerPort& port);

    std::uint32_t startTick_;
    std::uint64_t now_ = 0;
    std::uint64_t sequence_ = 0;
    std::uint64_t longestHandler_ = 0;
    std::vector<FakeTimerPort*> ports_;
    std::deque<std::function<void()>> queue_;
};

class FakeTimerPort : public TimerPort {
public:
    explicit FakeTimerPort(VirtualClock& clock) : clock_(clock) { clock_.Register(this); }
    ~FakeTimerPort() override { clock_.Unregister(this); }
    FakeTimerPort(const FakeTimerPort&) = delete;
    FakeTimerPort& operator=(const FakeTimerPort&) = delete;

    bool Start(std::uint32_t intervalMs) override {
        ++starts;
        if (refuse)
            return false;
        armed_ = true;
        interval_ = intervalMs;
        due_ = clock_.Now() + intervalMs;
        order_ = clock_.NextSequence();
        return true;
    }
    void Stop() override { armed_ = false; }
    void SetOnFire(std::function<void()> onFire) override { onFire_ = std::move(onFire); }

    bool Armed() const noexcept { return armed_; }
    std::uint64_t Due() const noexcept { return due_; }
    std::uint32_t ArmedInterval() const noexcept { return interval_; }

    bool refuse = false; // the platform has no timer left
    int starts = 0;      // Start calls, refused ones included
    std::vector<std::uint64_t> fireTimes;

private:
    friend class VirtualClock;
    VirtualClock& clock_;
    bool armed_ = false;
    std::uint32_t interval_ = 0;
    std::uint64_t due_ = 0;
    std::uint64_t order_ = 0;
    std::function<void()> onFire_;
};

inline void VirtualClock::AdvanceTo(std::uint64_t target) {
    while (FireNext(target, {})) {
    }
    now_ = std::max(now_, target);
}

inline void VirtualClock::SleepUncountedByTimers(std::uint64_t ms) noexcept {
    now_ += ms;
    for (FakeTimerPort* port : ports_) {
        if (port->armed_)
            port->due_ += ms;
    }
}

inline void VirtualClock::Pump() {
    while (!queue_.empty()) {
        auto message = std::move(queue_.front());
        queue_.pop_front();
        message();
    }
    std::vector<FakeTimerPort*> fired;
    while (FakeTimerPort* port = FireNext(now_, fired))
        fired.push_back(port);
}

inline FakeTimerPort* VirtualClock::FireNext(std::uint64_t limit,
                                             const std::vector<FakeTimerPort*>& skip) {
    FakeTimerPort* next = nullptr;
    for (FakeTimerPort* port : ports_) {
        if (!port->armed_ || port->due_ > limit)
            continue;
        if (std::find(skip.begin(), skip.end(), port) != skip.end())
            continue;
        if (!next || port->due_ < next->due_ ||
            (port->due_ == next->due_ && port->order_ < next->order_)) {
            next = port;
        }
    }
    if (next)
        Fire(*next);
    return next;
}

inline void VirtualClock::Fire(FakeTimerPort& port) {
    now_ = std::max(now_, port.due_);
    const std::uint64_t firedAt = now_;
    // The next expiry is fixed before the handler runs; a re-arm inside the
    // handler replaces it.
    port.due_ = firedAt + port.interval_;
    port.fireTimes.push_back(firedAt);
    if (port.onFire_) {
        auto handler = port.onFire_;
        handler();
    }
    longestHandler_ = std::max(longestHandler_, now_ - firedAt);
}

} // namespace staywick::fakes
