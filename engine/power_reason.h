#pragma once
// The reason given with the power request, as the system's list of power
// requests shows it: "Staywick keeps this computer awake", and while an
// "Activate for" countdown runs, " until " and the local time it ends.
#include "platform/clock.h"

#include <optional>
#include <string>

namespace staywick {

// 24-hour local time, two digits each: "14:30", "09:05", "00:00".
std::wstring FormatClockTime(LocalClockTime time);

std::wstring PowerRequestReason(const std::optional<LocalClockTime>& until);

} // namespace staywick
