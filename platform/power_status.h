#pragma once
// The power source and the battery's charge, as the pauses need them.
// Win32: platform/win32/power_status_win32.h (GetSystemPowerStatus).
#include <cstdint>
#include <optional>

namespace staywick {

struct PowerSource {
    bool onBattery = false;              // the AC line is known to be off
    std::optional<int> batteryPercent{}; // empty: no battery, or unknown

    friend bool operator==(const PowerSource&, const PowerSource&) = default;
};

class PowerStatus {
public:
    virtual ~PowerStatus() = default;
    // Now; a platform that cannot tell answers "on AC, no battery".
    virtual PowerSource Read() = 0;
};

// SYSTEM_POWER_STATUS's fields: ACLineStatus 0 off, 1 on, 255 unknown;
// BatteryFlag 128 no battery, 255 unknown; BatteryLifePercent 0..100 or 255
// unknown. An unknown line counts as AC: no pause on a guess.
PowerSource PowerSourceFrom(std::uint8_t acLineStatus, std::uint8_t batteryFlag,
                            std::uint8_t batteryLifePercent) noexcept;

} // namespace staywick
