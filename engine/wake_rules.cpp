#include "engine/wake_rules.h"

#include <algorithm>
#include <limits>

namespace staywick {

namespace {
constexpr std::int64_t kMillisecondsPerMinute = 60000;
}

std::int32_t IdleLimitMilliseconds(std::int32_t sleepMax) noexcept {
    const std::int64_t wide = std::int64_t{sleepMax} * kMillisecondsPerMinute;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        wide, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool IdleReachedLimit(std::uint32_t idle, std::int32_t limit) noexcept {
    return std::int64_t{idle} >= std::int64_t{limit};
}

std::int32_t NextIntervalCandidate(std::int32_t limit, std::uint32_t idle) noexcept {
    // Computed in 64 bits and truncated: the same bits as 32-bit wrapping
    // arithmetic, without signed overflow.
    const std::int64_t wide = std::int64_t{limit} - std::int64_t{idle} - kTickLeadMs;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(wide));
}

std::uint32_t IntervalToSet(std::int32_t candidate) noexcept {
    return candidate > 0 ? static_cast<std::uint32_t>(candidate) : kTickRetryMs;
}

std::uint32_t CountDownMilliseconds(std::int32_t activateFor) noexcept {
    return static_cast<std::uint32_t>(std::int64_t{activateFor} * kMillisecondsPerMinute);
}

} // namespace staywick
