#pragma once
// The lid-close action of a power scheme ("do nothing", sleep, hibernate,
// shut down), for mains power (AC) and battery (DC). The program sets it to
// "do nothing" while it keeps the computer awake with the lid closed, and
// puts the values it found back afterwards. Win32:
// platform/win32/lid_close_action_win32.h (powrprof, loaded on first use).
#include <cstdint>
#include <optional>
#include <string>

namespace staywick {

enum class PowerLine { Ac, Dc };

// GUID_LIDCLOSE_ACTION's values.
inline constexpr std::uint32_t kLidDoNothing = 0;
inline constexpr std::uint32_t kLidLastAction = 3; // 1 sleep, 2 hibernate, 3 shut down

class LidCloseAction {
public:
    virtual ~LidCloseAction() = default;
    // The active power scheme as its GUID's text, "{381b4222-...}"; nothing
    // when the system cannot tell.
    virtual std::optional<std::wstring> ActiveScheme() = 0;
    virtual std::optional<std::uint32_t> Read(const std::wstring& scheme, PowerLine line) = 0;
    // False when refused (power settings managed by the organisation,
    // ERROR_ACCESS_DENIED) or failed for any other reason.
    virtual bool Write(const std::wstring& scheme, PowerLine line, std::uint32_t value) = 0;
    // A written value takes effect only once the scheme is made active again.
    virtual bool Activate(const std::wstring& scheme) = 0;
};

} // namespace staywick
