#pragma once
// A periodic platform timer as the portable timer sees it: start with an
// interval, stop, and a callback on every expiry. One port serves one timer.
#include <cstdint>
#include <functional>

namespace staywick {

class TimerPort {
public:
    virtual ~TimerPort() = default;

    // Starts the periodic timer; the first expiry comes one interval from now.
    // Returns false when the platform refuses (no timer left).
    virtual bool Start(std::uint32_t intervalMs) = 0;
    // Stops the timer; stopping a stopped timer is harmless.
    virtual void Stop() = 0;
    // The callback run on every expiry, on the thread that owns the timer.
    virtual void SetOnFire(std::function<void()> onFire) = 0;
};

} // namespace staywick
