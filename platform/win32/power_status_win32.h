#pragma once
// The power source from GetSystemPowerStatus. Under Wine it reflects
// whatever the host offers, so tests fake it through PowerStatus.
#include "platform/power_status.h"

namespace staywick {

class PowerStatusWin32 final : public PowerStatus {
public:
    PowerSource Read() override;
};

} // namespace staywick
