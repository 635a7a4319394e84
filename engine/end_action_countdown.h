#pragma once
// EndActionCountdown: carries out the action at the end of a session. The
// display goes off at once; every other action first shows a small window
// that counts down a minute ("The computer will sleep in 60 s") with Cancel,
// and happens at the end unless cancelled.
#include "engine/end_action.h"
#include "engine/timer.h"
#include "platform/system_actions.h"
#include "platform/timer_port.h"

#include <cstdint>

namespace staywick {

inline constexpr std::int32_t kEndActionCountdownSeconds = 60;

// The countdown window, as the engine drives it.
class EndActionCountdownView {
public:
    virtual ~EndActionCountdownView() = default;
    // Shows the window, or shows the new count in the open one.
    virtual void ShowCountdown(EndAction action, std::int32_t secondsLeft) = 0;
    virtual void CloseCountdown() = 0;
};

class EndActionCountdown {
public:
    // The timer ticks once a second while a countdown runs.
    EndActionCountdown(SystemActions& system, TimerPort& timer);
    EndActionCountdown(const EndActionCountdown&) = delete;
    EndActionCountdown& operator=(const EndActionCountdown&) = delete;

    // Without a view, an action that counts down happens at the end all the same.
    void SetView(EndActionCountdownView* view) noexcept { view_ = view; }

    // Starts the action (a running countdown is replaced); Nothing does nothing.
    void Begin(EndAction action);
    // Cancel, Esc or the close box: the action does not happen.
    void Cancel();

    bool Running() const noexcept { return action_ != EndAction::Nothing; }
    EndAction Action() const noexcept { return action_; }
    std::int32_t SecondsLeft() const noexcept { return secondsLeft_; }

private:
    void Tick();
    void CarryOut(EndAction action);

    SystemActions& system_;
    EndActionCountdownView* view_ = nullptr;
    EndAction action_ = EndAction::Nothing;
    std::int32_t secondsLeft_ = 0;
    TTimer timer_;
};

} // namespace staywick
