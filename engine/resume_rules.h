#pragma once
// What a resume from sleep or hibernation means for the forced wake and the
// awake requests. The idle time after a resume includes the time asleep, so
// the first tick would force a wake at once; after a wake that no user
// caused (a maintenance timer, a network packet) the simulated key presses
// would then keep a computer awake that nobody is using. So after such a
// resume the forced wake waits until real input shows that somebody is
// there, and so do the awake requests (engine/keep_awake_power.cpp).
#include <cstdint>

namespace staywick {

enum class ResumeKind {
    Automatic, // PBT_APMRESUMEAUTOMATIC: the system woke; nobody has shown up yet
    ByUser,    // PBT_APMRESUMESUSPEND: a user caused the wake or has given input since
};

// How far the last input must move past the one seen at the resume to count
// as new input: the idle reading and the clock are read apart, so the moment
// computed from them wobbles by a few milliseconds.
inline constexpr std::uint64_t kInputMovedMs = 500;

// While the hold lasts, the tick only watches for input, at this interval.
inline constexpr std::uint32_t kHoldPollMs = 5000;

// Moments are milliseconds on the monotonic clock; the last input's moment
// is the clock's reading minus the idle time.
class UnattendedWakeRule {
public:
    // An automatic resume starts holding back forced wakes and remembers
    // when the last input was; a resume by the user ends the hold.
    void Resumed(ResumeKind kind, std::uint64_t lastInputAt) noexcept;
    // Whether a forced wake must wait now. Input seen after the resume ends
    // the hold for good (until the next automatic resume).
    bool HoldsForcedWake(std::uint64_t lastInputAt) noexcept;
    // The program's own simulated presses at `at` are no user: a hold that
    // began while they were being made does not end because of them.
    void OwnInputAt(std::uint64_t at) noexcept;

    bool Holding() const noexcept { return holding_; }

private:
    bool holding_ = false;
    std::uint64_t lastInputAtResume_ = 0;
};

} // namespace staywick
