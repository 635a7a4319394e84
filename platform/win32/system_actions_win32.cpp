#include "platform/win32/system_actions_win32.h"

#include "common/win32/handles.h"
#include "platform/win32/on_demand.h"

#include <powrprof.h>

namespace staywick {

namespace {

constexpr wchar_t kPowrProf[] = L"powrprof.dll";
// SC_MONITORPOWER's lParam: 2 turns the display off.
constexpr LPARAM kMonitorOff = 2;

using SetSuspendStateFn = BOOLEAN(WINAPI*)(BOOLEAN hibernate, BOOLEAN force,
                                           BOOLEAN wakeupEventsDisabled);
using GetPwrCapabilitiesFn = BOOLEAN(WINAPI*)(PSYSTEM_POWER_CAPABILITIES capabilities);

// Not forced: programs are still told of the sleep. Wake timers stay
// allowed, so a scheduled task can still wake the computer. Under Wine
// SetSuspendState is a stub: the computer never sleeps there.
bool Suspend(bool hibernate) {
    const auto suspend = win32::OnDemandFunction<SetSuspendStateFn>(kPowrProf, "SetSuspendState");
    return suspend && suspend(hibernate ? TRUE : FALSE, FALSE, FALSE) != FALSE;
}

// InitiateShutdownW needs the shut-down privilege enabled in the process's
// token; it is there for every interactive user, but disabled.
bool EnableShutdownPrivilege() {
    win32::KernelHandle token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                            token.Put()))
        return false;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        return false;
    // Succeeds without assigning when the token lacks the privilege: the
    // last error says which.
    return ::AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr) &&
           ::GetLastError() == ERROR_SUCCESS;
}

} // namespace

// Through the window's default handling, not a posted message: the
// program's own message hook swallows SC_MONITORPOWER in its queue. Under
// Wine the command turns nothing off.
bool SystemActionsWin32::TurnDisplayOff() {
    ::DefWindowProcW(window_, WM_SYSCOMMAND, SC_MONITORPOWER, kMonitorOff);
    return true;
}

// Under Wine LockWorkStation is a stub: nothing is locked there.
bool SystemActionsWin32::LockScreen() {
    return ::LockWorkStation() != FALSE;
}

bool SystemActionsWin32::Sleep() {
    return Suspend(false);
}

bool SystemActionsWin32::Hibernate() {
    return Suspend(true);
}

// A planned shut-down (SHTDN_REASON_FLAG_PLANNED) that is not forced: other
// programs may still ask the user to save work, and the grace period lets
// the user see it coming. Under Wine InitiateShutdownW is a stub: nothing
// shuts down there.
bool SystemActionsWin32::ShutDown() {
    if (!EnableShutdownPrivilege())
        return false;
    const DWORD reason =
        SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;
    return ::InitiateShutdownW(nullptr, nullptr, 0, SHUTDOWN_POWEROFF, reason) == ERROR_SUCCESS;
}

// Under Wine GetPwrCapabilities answers for no real machine; the answer only
// decides whether "Hibernate" is offered.
bool SystemActionsWin32::CanHibernate() {
    const auto capabilities =
        win32::OnDemandFunction<GetPwrCapabilitiesFn>(kPowrProf, "GetPwrCapabilities");
    SYSTEM_POWER_CAPABILITIES facts{};
    return capabilities && capabilities(&facts) && facts.SystemS4 && facts.HiberFilePresent;
}

} // namespace staywick
