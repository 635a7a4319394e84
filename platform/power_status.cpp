#include "platform/power_status.h"

namespace staywick {

PowerSource PowerSourceFrom(std::uint8_t acLineStatus, std::uint8_t batteryFlag,
                            std::uint8_t batteryLifePercent) noexcept {
    constexpr std::uint8_t kNoBattery = 128;
    constexpr std::uint8_t kUnknown = 255;
    PowerSource source;
    source.onBattery = acLineStatus == 0;
    if (batteryFlag != kUnknown && (batteryFlag & kNoBattery) == 0 && batteryLifePercent <= 100)
        source.batteryPercent = batteryLifePercent;
    return source;
}

} // namespace staywick
