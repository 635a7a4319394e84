#pragma once
// The local date's weekday and the local time of day, as the clock on the
// wall shows it (daylight saving applied). Win32: GetLocalTime.
#include <cstdint>

namespace staywick {

struct WallTime {
    int weekday = 0; // 0 Monday ... 6 Sunday
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59
    int millisecond = 0;
};

class WallClock {
public:
    virtual ~WallClock() = default;
    virtual WallTime Now() = 0;
};

} // namespace staywick
