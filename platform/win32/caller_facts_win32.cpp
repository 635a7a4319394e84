#include "platform/win32/caller_facts_win32.h"

#include "common/win32/handles.h"

#include <windows.h>

namespace staywick {

namespace {

// A token that cannot be read counts as not elevated: the command goes on as
// it always has.
bool Elevated() {
    win32::KernelHandle token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.Put()))
        return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return ::GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof(elevation),
                                 &size) &&
           elevation.TokenIsElevated != 0;
}

// Only the interactive window station, WinSta0, has visible display surfaces;
// a service's or a scheduled task's that runs whether the user is signed in
// or not has none. The handle belongs to the process and is not closed.
bool InteractiveDesktop() {
    USEROBJECTFLAGS flags{};
    DWORD size = 0;
    HWINSTA station = ::GetProcessWindowStation();
    if (!station ||
        !::GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof(flags), &size)) {
        return true;
    }
    return (flags.dwFlags & WSF_VISIBLE) != 0;
}

} // namespace

CallerFacts ReadCallerFacts() {
    return {.elevated = Elevated(), .interactiveDesktop = InteractiveDesktop()};
}

} // namespace staywick
