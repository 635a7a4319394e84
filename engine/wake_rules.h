#pragma once
// The arithmetic of idle measurement and of the keep-awake tick, kept apart
// from the platform so that it can be checked without Windows.
#include "platform/input_rules.h"

#include <cstdint>

namespace staywick {

// Intervals the tick sets (ms).
inline constexpr std::uint32_t kTickAfterWakeMs = 5000;
inline constexpr std::uint32_t kTickRetryMs = 2000;
inline constexpr std::int32_t kTickLeadMs = 5000;

// The idle limit for `sleepMax` minutes. The product is computed wide and
// clamped to the 32-bit signed range, so a large value means a long limit
// (about 24.8 days at most) instead of wrapping to a negative one, and a
// value of 0 or less never becomes positive.
std::int32_t IdleLimitMilliseconds(std::int32_t sleepMax) noexcept;

// At or above the limit a wake is forced: the idle time is widened as
// unsigned, the limit as signed.
bool IdleReachedLimit(std::uint32_t idle, std::int32_t limit) noexcept;

// The tick's next interval b = limit - idle - 5000 in 32-bit signed
// arithmetic (wrapping as the 32-bit machine would).
std::int32_t NextIntervalCandidate(std::int32_t limit, std::uint32_t idle) noexcept;

// b when positive, else the 2000 ms retry.
std::uint32_t IntervalToSet(std::int32_t candidate) noexcept;

// Countdown length in ms for `activateFor` minutes, as a 32-bit product.
std::uint32_t CountDownMilliseconds(std::int32_t activateFor) noexcept;

} // namespace staywick
