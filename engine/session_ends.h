#pragma once
// SessionEnds: what the controller needs around the end of a session with an
// end: the action carried out when it ends by itself (with its countdown
// window), the warning a while before the end, and the tray's "Extend by 1
// hour" and "When it ends" items. The tray and the main window implement
// the view; tests record it.
#include "engine/end_action.h"
#include "engine/end_action_countdown.h"
#include "engine/timer.h"
#include "platform/clock.h"
#include "platform/system_actions.h"
#include "platform/timer_port.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace staywick {

class SessionEndView {
public:
    virtual ~SessionEndView() = default;
    // "Extend by 1 hour" is shown only while the session has an end.
    virtual void SetExtendVisible(bool visible) = 0;
    // The "When it ends" choice: the action checked, all greyed when a policy
    // forbids them, hibernation offered only where the system has it.
    virtual void SetEndActionChoice(EndAction chosen, bool allowed, bool canHibernate) = 0;
    // The balloon before the end (respecting quiet time): the end's time of
    // day in the user's format; a click on it extends by an hour.
    virtual void WarnOfEnd(const std::wstring& endText) = 0;
};

class SessionEnds {
public:
    SessionEnds(SystemActions& system, TimerPort& countdownTimer, TimerPort& warningTimer,
                SessionEndView& view);
    SessionEnds(const SessionEnds&) = delete;
    SessionEnds& operator=(const SessionEnds&) = delete;

    // The end in force (monotonic ms) or none, seen at `now`: the warning is
    // aimed `warnMinutes` before it, and again whenever the end moves.
    void FollowEnd(std::optional<std::uint64_t> end, std::uint64_t now, std::int32_t warnMinutes);
    // The end the warning is aimed at.
    std::optional<std::uint64_t> WarnedEnd() const noexcept { return end_; }

    // Run when the warning is due; the controller says when the end is.
    std::function<void()> OnWarningDue;

    EndActionCountdown Countdown;
    SystemActions& System;
    SessionEndView& View;

private:
    void WarningDue();

    std::optional<std::uint64_t> end_;
    std::int32_t warnMinutes_ = 0;
    TTimer warning_;
};

} // namespace staywick
