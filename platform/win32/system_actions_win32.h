#pragma once
// The end of a session on Windows: SC_MONITORPOWER for the display,
// LockWorkStation, SetSuspendState for sleep and hibernation (powrprof,
// loaded only when it is used, so start-up never loads it) and a planned
// InitiateShutdownW. Under Wine these are stubs or refused: tests record the
// calls through platform/system_actions.h instead of trying them.
#include "platform/system_actions.h"

#include <windows.h>

namespace staywick {

class SystemActionsWin32 final : public SystemActions {
public:
    // `window`: a window of the program whose default handling passes the
    // monitor-power command to the system.
    explicit SystemActionsWin32(HWND window) noexcept : window_(window) {}

    bool TurnDisplayOff() override;
    bool LockScreen() override;
    bool Sleep() override;
    bool Hibernate() override;
    bool ShutDown() override;
    bool CanHibernate() override;

private:
    HWND window_;
};

} // namespace staywick
