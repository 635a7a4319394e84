#include "platform/clock.h"

namespace staywick {

namespace {
constexpr std::uint64_t kMinuteMs = 60000;
constexpr std::uint64_t kMinutesPerDay = 24 * 60;
} // namespace

LocalClockTime ClockTimeOfDay(std::uint64_t msSinceMidnight) noexcept {
    const std::uint64_t minutes = ((msSinceMidnight + kMinuteMs / 2) / kMinuteMs) % kMinutesPerDay;
    return {static_cast<int>(minutes / 60), static_cast<int>(minutes % 60)};
}

} // namespace staywick
