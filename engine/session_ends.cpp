#include "engine/session_ends.h"

#include <algorithm>
#include <limits>

namespace staywick {

SessionEnds::SessionEnds(SystemActions& system, TimerPort& countdownTimer, TimerPort& warningTimer,
                         SessionEndView& view)
    : Countdown(system, countdownTimer), System(system), View(view),
      warning_(warningTimer, false, 1, [this] { WarningDue(); }) {}

void SessionEnds::FollowEnd(std::optional<std::uint64_t> end, std::uint64_t now,
                            std::int32_t warnMinutes) {
    // The status is brought in step often; an end that stays keeps its aim.
    if (end == end_ && warnMinutes == warnMinutes_)
        return;
    end_ = end;
    warnMinutes_ = warnMinutes;
    warning_.SetEnabled(false);
    if (!end)
        return;
    const std::optional<std::uint64_t> delay = WarningDelay(now, *end, warnMinutes);
    if (!delay)
        return;
    // A window timer waits at least 1 ms and at most about 24.8 days.
    warning_.SetInterval(static_cast<std::uint32_t>(
        std::clamp<std::uint64_t>(*delay, 1, std::numeric_limits<std::int32_t>::max())));
    warning_.SetEnabled(true);
}

void SessionEnds::WarningDue() {
    // Once for each end.
    warning_.SetEnabled(false);
    if (OnWarningDue)
        OnWarningDue();
}

} // namespace staywick
