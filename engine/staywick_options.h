#pragma once
// TStaywickOptions: the persisted settings record, six fields in this order.
#include <cstdint>

namespace staywick {

struct TStaywickOptions {
    bool Active = true;           // keep-awake is on
    std::int32_t ActivateFor = 0; // countdown minutes; above 0 runs a countdown, 0 = indefinitely
    bool AutoStopped = true;      // resume at the next start after the countdown stopped it
    std::int32_t InputKey = 0;    // 0 F15, 1 Num Lock, any other value Shift
    std::int32_t SleepMax = 3;    // maximum idle time in minutes ("DontLetSleepMoreThen")
    bool NotifySystem = true;     // also hold the system's "display and system in use" request

    friend bool operator==(const TStaywickOptions&, const TStaywickOptions&) = default;
};

} // namespace staywick
