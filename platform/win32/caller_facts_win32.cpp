#include "platform/win32/caller_facts_win32.h"

#include "common/win32/handles.h"

#include <windows.h>

#include <optional>

namespace staywick {

namespace {

// The mandatory integrity level of a process's token (SECURITY_MANDATORY_*_RID).
std::optional<DWORD> Integrity(HANDLE process) {
    win32::KernelHandle token;
    if (!::OpenProcessToken(process, TOKEN_QUERY, token.Put()))
        return std::nullopt;
    alignas(TOKEN_MANDATORY_LABEL)
        BYTE buffer[sizeof(TOKEN_MANDATORY_LABEL) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    if (!::GetTokenInformation(token.Get(), TokenIntegrityLevel, buffer, sizeof(buffer), &size))
        return std::nullopt;
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
    return *::GetSidSubAuthority(sid, *::GetSidSubAuthorityCount(sid) - 1u);
}

// Elevated as "Run as administrator" makes it: a full token whose user's own
// programs run with the limited one (TokenElevationTypeFull), and above the
// integrity of the user's desktop shell. With UAC off, for the built-in
// Administrator, and under Wine (whose every process, Explorer included, has
// a full administrator's token: TokenElevation 1, TokenElevationTypeFull,
// high integrity) the shell runs as high, so an instance started here can be
// reached from any prompt. A token that cannot be read counts as not
// elevated, and so does one without a desktop shell to compare with; a
// shell that cannot be read (another user's) runs below.
bool Elevated() {
    win32::KernelHandle token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.Put()))
        return false;
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD size = 0;
    if (!::GetTokenInformation(token.Get(), TokenElevationType, &type, sizeof(type), &size) ||
        type != TokenElevationTypeFull) {
        return false;
    }
    DWORD shellProcessId = 0;
    HWND shellWindow = ::GetShellWindow();
    if (!shellWindow || !::GetWindowThreadProcessId(shellWindow, &shellProcessId))
        return false; // no shell to compare with: as a command always went on
    const win32::KernelHandle shellProcess(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, shellProcessId));
    const auto shell = shellProcess ? Integrity(shellProcess.Get()) : std::nullopt;
    const auto own = Integrity(::GetCurrentProcess());
    return !own || !shell || *own > *shell;
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
