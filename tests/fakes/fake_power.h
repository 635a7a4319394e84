#pragma once
// The clocks over the virtual clock, and a power request that records what
// it is asked and can refuse. The monotonic clock is the virtual time; the
// local time of day at virtual time 0 is `midnightOffsetMs` after midnight.
// The wall clock runs with the virtual time from `wallAtZeroMs` (13:00 UTC on
// 5 January 2026), moved by `wallShiftMs` when a test sets the clock; the
// local clock reads it through `localFromUtc`, UTC itself unless a test
// gives time-zone rules.
#include "fakes/virtual_clock.h"
#include "platform/clock.h"
#include "platform/power_request.h"

#include <functional>
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

    std::int64_t WallClockMs() override {
        return wallAtZeroMs + static_cast<std::int64_t>(clock_.Now()) + wallShiftMs;
    }
    std::int64_t LocalWallMs(std::int64_t utcMs) override {
        return localFromUtc ? localFromUtc(utcMs) : utcMs;
    }
    std::wstring TimeOfDayText(LocalClockTime time) override {
        const auto two = [](int v) {
            return std::wstring{wchar_t(L'0' + v / 10), wchar_t(L'0' + v % 10)};
        };
        return two(time.hour) + L":" + two(time.minute);
    }

    std::uint64_t midnightOffsetMs = 13ull * 3600 * 1000; // 13:00:00 at time 0
    std::int64_t wallAtZeroMs = 1767618000000;
    std::int64_t wallShiftMs = 0;
    std::function<std::int64_t(std::int64_t)> localFromUtc;

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
