#pragma once
// What the policies in force make of the settings and of a keep-awake
// session. The settings record keeps the user's own values; these rules give
// the values the program acts on.
#include "engine/policy.h"
#include "engine/staywick_options.h"

#include <cstdint>
#include <optional>

namespace staywick {

// The record with SleepMax, InputKey and NotifySystem as the policy sets
// them. Without simulated input, keep-awake rests on the awake request and
// the power request alone, so NotifySystem counts as on whatever it says.
// AllowKeepDisplayOn = 0 lets the display sleep whatever KeepDisplayOn says;
// while it may sleep no key is pressed, so NotifySystem counts as on too.
// AllowLidOverride = 0 makes LidClosedAwake 0: the lid action stays the system's.
TStaywickOptions EffectiveOptions(const TStaywickOptions& user, const StaywickPolicy& policy);

// Whether the tick at the idle limit presses a key: not when the policy
// forbids simulated input, nor while the display may sleep (a key press
// would wake it). `effective` is EffectiveOptions' answer.
bool PressesKeys(const TStaywickOptions& effective, const StaywickPolicy& policy) noexcept;

// Every keep-awake session ends after at most `maxMinutes`, an indefinite one
// included: the countdown minutes for a session asked to last `sessionMinutes`
// (0 or less: indefinitely). Without a cap, `sessionMinutes` as given; a
// countdown runs when the result is above 0.
std::int32_t CappedSessionMinutes(std::int32_t sessionMinutes,
                                  std::optional<std::int32_t> maxMinutes) noexcept;

// An "Activate for" item of `minutes` (0: "&Indefinitely") can be chosen:
// no item is longer than the cap.
bool ActivateForAllowed(std::int64_t minutes, std::optional<std::int32_t> maxMinutes) noexcept;

} // namespace staywick
