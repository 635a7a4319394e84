#include "platform/win32/power_status_win32.h"

#include <windows.h>

namespace staywick {

PowerSource PowerStatusWin32::Read() {
    SYSTEM_POWER_STATUS status{};
    if (!::GetSystemPowerStatus(&status))
        return {};
    return PowerSourceFrom(status.ACLineStatus, status.BatteryFlag, status.BatteryLifePercent);
}

} // namespace staywick
