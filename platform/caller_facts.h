#pragma once
// Where a process that passes on a command runs: an instance started from an
// elevated prompt would run elevated, out of reach of later commands from a
// normal prompt, and one started without the user's desktop (a task that runs
// whether the user is signed in or not, a remote shell) would keep the
// computer awake with no icon. Win32: platform/win32/caller_facts_win32.h.
namespace staywick {

struct CallerFacts {
    // Elevated above the user's own programs ("Run as administrator" while
    // UAC gives the user's desktop a limited token).
    bool elevated = false;
    // The process's window station is the interactive one, whose desktops
    // the user sees (WinSta0).
    bool interactiveDesktop = true;

    friend bool operator==(const CallerFacts&, const CallerFacts&) = default;
};

} // namespace staywick
