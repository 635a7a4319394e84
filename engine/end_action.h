#pragma once
// What happens when a session with an end ends by itself ("EndAction", or
// "/then" for one session): nothing, the display off, the screen locked,
// sleep, hibernation or shut-down. The rules here decide which end carries an
// action out, when the warning before the end comes and how far "Extend"
// moves an end; the platform carries the action out (platform/system_actions.h).
#include <cstdint>
#include <optional>
#include <string_view>

namespace staywick {

// The values of the settings key "EndAction", in its order.
enum class EndAction : std::int32_t {
    Nothing = 0,
    DisplayOff = 1,
    Lock = 2,
    Sleep = 3,
    Hibernate = 4,
    ShutDown = 5,
};

inline constexpr std::int32_t kEndActionCount = 6;

// 0..5 is an action; anything else is none (the key's default, Nothing).
std::optional<EndAction> EndActionFromValue(std::int64_t value) noexcept;

// "/then"'s words: "display", "lock", "sleep", "hibernate", "shutdown", in
// any letter case; nothing for any other word ("nothing" included: a
// session without an action simply has no "/then").
std::optional<EndAction> EndActionFromWord(std::wstring_view word);
// The word for an action other than Nothing (empty for Nothing).
const wchar_t* EndActionWord(EndAction action) noexcept;

// Every action but the display's gives the user a minute to cancel it.
bool EndActionCountsDown(EndAction action) noexcept;

// How a session came to its end.
enum class SessionEnd {
    UserOff,   // the user switched off, chose another session, or exited
    PolicyCap, // the MaxMinutes policy ended it before its own end
    WhileAway, // its end passed while the computer slept or Staywick did not run
    CountDown, // an "Activate for" countdown, "For..." or "/for" ran out
    Until,     // "Until..." or "/until" reached its time
    OneShot,   // the program of "While a program runs..." or "/while" ended
};

struct EndActionFacts {
    SessionEnd end = SessionEnd::UserOff;
    // Something else still keeps the computer awake (a listed program, the
    // schedule): then nothing is done to it.
    bool stillKeptAwake = false;
    // The user's "EndAction" and, for this session alone, "/then".
    EndAction chosen = EndAction::Nothing;
    std::optional<EndAction> forSession{};
    // The AllowEndAction policy is not 0.
    bool allowed = true;
    // The system offers hibernation (GetPwrCapabilities).
    bool canHibernate = true;
};

// The action to carry out: only at an end the session reached by itself,
// with nothing else keeping awake, while the policy allows it; "/then" wins
// over "EndAction"; hibernation where the system has none is not done.
EndAction ActionAtEnd(const EndActionFacts& facts) noexcept;

// "WarnBeforeEnd": minutes, 0 off, 1..60; anything else is the default 5.
inline constexpr std::int32_t kWarnBeforeEndDefault = 5;
inline constexpr std::int32_t kWarnBeforeEndMost = 60;
std::int32_t WarnBeforeEndFromValue(std::optional<std::int64_t> value) noexcept;

// How long from `now` until the warning for an end at `end` (both ms on the
// monotonic clock) is due, `warnMinutes` before it. Nothing when warnings are
// off, when the end has passed, or when the session was set (started or
// extended) already inside the warning time: a 3-minute session needs no
// warning that it ends in 5 minutes.
std::optional<std::uint64_t> WarningDelay(std::uint64_t now, std::uint64_t end,
                                          std::int32_t warnMinutes) noexcept;

// "Extend": the new end for an end at `end` extended by `minutes`, never past
// `latest` (the MaxMinutes cap's end, or the longest session there is).
std::uint64_t ExtendedEnd(std::uint64_t end, std::int32_t minutes,
                          std::optional<std::uint64_t> latest) noexcept;

// What "Extend by 1 hour" and a balloon click add.
inline constexpr std::int32_t kExtendClickMinutes = 60;
// The range of "/extend <minutes>".
inline constexpr std::int32_t kExtendMostMinutes = 1440;

} // namespace staywick
