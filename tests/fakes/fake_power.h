#pragma once
// The clocks over the virtual clock, and a power request that records what
// it is asked and can refuse. The monotonic clock is the virtual time; the
// local time of day at virtual time 0 is `midnightOffsetMs` after midnight.
#include "fakes/virtual_clock.h"
#include "platform/clock.h"
#include "platform/power_request.h"

#include <optional>
#include <string>
#include <vector>

namespace staywick::fakes {

class FakeClock : public Clock {
public:
    explicit FakeClock(VirtualClock& clock) : clock_(clock) {}

    std::uint64_t MonotonicMilliseconds() override { return clock_.Now(); }
    LocalClockTime LocalTimeIn(std::uint64_t fromNowMs) override {
        return ClockTimeOfDay(midnightOffsetMs + clock_.Now() + fromNowMs);
    }

    std::uint64_t midnightOffsetMs = 13ull * 3600 * 1000; // 13:00:00 at time 0

private:
    VirtualClock& clock_;
};

class FakePowerRequest : public PowerRequest {
public:
    bool Hold(const std::wstring& reason) override {
        calls.push_back(L"hold " + reason);
        if (refuse) {
            held.reset();
            return false;
        }
        held = reason;
        return true;
    }
    bool HoldSystem(const std::wstring& reason) override {
        calls.push_back(L"hold system " + reason);
        if (refuse) {
            held.reset();
            return false;
        }
        held = L"system " + reason;
        return true;
    }
    void Release() override {
        calls.push_back(L"release");
        held.reset();
    }

    bool refuse = false; // the platform has no power request (Wine) or refuses it
    std::optional<std::wstring> held;
    std::vector<std::wstring> calls;
};

} // namespace staywick::fakes
