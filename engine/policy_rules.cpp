#include "engine/policy_rules.h"

#include <algorithm>

namespace staywick {

TStaywickOptions EffectiveOptions(const TStaywickOptions& user, const StaywickPolicy& policy) {
    TStaywickOptions effective = user;
    if (const auto sleepMax = policy.Value(PolicyId::SleepMax))
        effective.SleepMax = static_cast<std::int32_t>(*sleepMax);
    if (const auto inputKey = policy.Value(PolicyId::InputKey))
        effective.InputKey = static_cast<std::int32_t>(*inputKey);
    if (const auto notify = policy.Value(PolicyId::NotifySystem))
        effective.NotifySystem = *notify != 0;
    if (!policy.AllowKeepDisplayOn())
        effective.KeepDisplayOn = false;
    if (!policy.AllowLidOverride())
        effective.LidClosedAwake = 0;
    if (!policy.AllowSimulatedInput() || !effective.KeepDisplayOn)
        effective.NotifySystem = true;
    return effective;
}

bool PressesKeys(const TStaywickOptions& effective, const StaywickPolicy& policy) noexcept {
    return policy.AllowSimulatedInput() && effective.KeepDisplayOn;
}

std::int32_t CappedSessionMinutes(std::int32_t sessionMinutes,
                                  std::optional<std::int32_t> maxMinutes) noexcept {
    if (!maxMinutes)
        return sessionMinutes;
    if (sessionMinutes <= 0)
        return *maxMinutes;
    return std::min(sessionMinutes, *maxMinutes);
}

bool ActivateForAllowed(std::int64_t minutes, std::optional<std::int32_t> maxMinutes) noexcept {
    return !maxMinutes || minutes <= *maxMinutes;
}

} // namespace staywick
