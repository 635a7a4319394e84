#include "engine/clock_target.h"

#include <algorithm>

namespace staywick {

namespace {
constexpr std::int64_t kMinuteMs = 60000;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) noexcept {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}
} // namespace

std::int64_t NextClockTarget(std::int64_t nowLocal, std::int32_t minuteOfDay) noexcept {
    const std::int64_t target = FloorDiv(nowLocal, kDayMs) * kDayMs + minuteOfDay * kMinuteMs;
    return nowLocal < target ? target : target + kDayMs;
}

std::int64_t ClockTargetAfterChange(std::int64_t nowLocal, std::int64_t targetLocal) noexcept {
    if (targetLocal - nowLocal <= kDayMs)
        return targetLocal;
    return NextClockTarget(nowLocal, MinuteOfDayAt(targetLocal));
}

std::int32_t MinuteOfDayAt(std::int64_t local) noexcept {
    return static_cast<std::int32_t>((local - FloorDiv(local, kDayMs) * kDayMs) / kMinuteMs);
}

std::int64_t FirstMomentShowing(std::int64_t nowUtc, std::int64_t targetLocal,
                                const LocalFromUtc& localFromUtc) {
    if (localFromUtc(nowUtc) >= targetLocal)
        return nowUtc;
    // The offset from UTC is constant but for a daylight-saving change, and
    // two days hold at most one: the offsets now and two days on cover it.
    const std::int64_t horizon = nowUtc + 2 * kDayMs;
    const std::int64_t offsetNow = localFromUtc(nowUtc) - nowUtc;
    const std::int64_t offsetLater = localFromUtc(horizon) - horizon;
    std::int64_t best = INT64_MAX;
    for (const std::int64_t offset : {offsetNow, offsetLater}) {
        const std::int64_t at = targetLocal - offset;
        if (at > nowUtc && localFromUtc(at) == targetLocal)
            best = std::min(best, at);
    }
    if (best != INT64_MAX)
        return best;
    // The clock jumps over the target: find the jump. The local reading rises
    // steadily over that stretch, so halving finds the first moment at or past it.
    std::int64_t low = nowUtc; // reads before the target
    std::int64_t high = targetLocal - std::min(offsetNow, offsetLater);
    while (localFromUtc(high) < targetLocal)
        high += kDayMs / 24; // rules beyond two offsets: step on until past it
    while (high - low > 1) {
        const std::int64_t middle = low + (high - low) / 2;
        (localFromUtc(middle) >= targetLocal ? high : low) = middle;
    }
    return high;
}

std::int64_t NextOccurrence(std::int64_t nowUtc, std::int32_t minuteOfDay,
                            const LocalFromUtc& localFromUtc) {
    return FirstMomentShowing(nowUtc, NextClockTarget(localFromUtc(nowUtc), minuteOfDay),
                              localFromUtc);
}

} // namespace staywick
