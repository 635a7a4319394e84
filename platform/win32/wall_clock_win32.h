#pragma once
// The wall clock from GetLocalTime: local time with daylight saving applied.
#include "platform/wall_clock.h"

namespace staywick {

class WallClockWin32 final : public WallClock {
public:
    WallTime Now() override;
};

} // namespace staywick
