#pragma once
// TStaywickOptions: the persisted settings record, six fields in this order,
// then the later ones, each under a key of its own.
#include <cstdint>
#include <optional>

namespace staywick {

struct TStaywickOptions {
    bool Active = true;           // keep-awake is on
    std::int32_t ActivateFor = 0; // countdown minutes; above 0 runs a countdown, 0 = indefinitely
    bool AutoStopped = true;      // resume at the next start after the countdown stopped it
    std::int32_t InputKey = 0;    // 0 F15, 1 Num Lock, any other value Shift
    std::int32_t SleepMax = 3;    // maximum idle time in minutes ("DontLetSleepMoreThen")
    bool NotifySystem = true;     // also hold the system's "display and system in use" request
    // Keep awake until this time of day (minutes after midnight, 0..1439);
    // while set it takes the place of ActivateFor's countdown.
    std::optional<std::int32_t> ActivateUntil{};
    // When that end falls, as the local clock reads it (milliseconds since
    // 1970 on the local clock, a whole minute); set while it runs, so that a
    // start after it knows the end has passed.
    std::optional<std::int64_t> ActivateUntilEnd{};
    // The global hotkey as the hotkey control holds it (virtual key in the
    // low byte, HOTKEYF_ modifiers in the next); 0 = none.
    std::int32_t Hotkey = 0;
    // Off: keep-awake holds only the system (no key pressed, no display
    // request), so the display may turn off and the screen lock.
    bool KeepDisplayOn = true;
    // A countdown of the user's own length, one that no "Activate for" item
    // has (1..1440 minutes). While set, ActivateFor holds the same minutes;
    // the file keeps it under a key of its own (engine/own_length.h).
    std::optional<std::int32_t> ActivateForMinutes{};
    // Stay awake with the lid closed: 0 never, 1 on mains power, 2 always
    // (engine/lid_override.h).
    std::int32_t LidClosedAwake = 0;
    // What happens when a session with an end ends by itself
    // (engine/end_action.h): 0 nothing ... 5 shut down.
    std::int32_t EndAction = 0;
    // Minutes before such an end that a balloon warns of it; 0 none, 1..60.
    std::int32_t WarnBeforeEnd = 5;

    friend bool operator==(const TStaywickOptions&, const TStaywickOptions&) = default;
};

} // namespace staywick
