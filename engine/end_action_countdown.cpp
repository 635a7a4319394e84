#include "engine/end_action_countdown.h"

namespace staywick {

namespace {
constexpr std::uint32_t kSecondMs = 1000;
} // namespace

EndActionCountdown::EndActionCountdown(SystemActions& system, TimerPort& timer)
    : system_(system), timer_(timer, false, kSecondMs, [this] { Tick(); }) {}

void EndActionCountdown::Begin(EndAction action) {
    if (!EndActionCountsDown(action)) {
        CarryOut(action);
        return;
    }
    action_ = action;
    secondsLeft_ = kEndActionCountdownSeconds;
    // Re-armed, so a replaced countdown's phase does not cut the first second.
    timer_.SetEnabled(false);
    timer_.SetEnabled(true);
    if (view_)
        view_->ShowCountdown(action_, secondsLeft_);
}

void EndActionCountdown::Cancel() {
    if (!Running())
        return;
    action_ = EndAction::Nothing;
    timer_.SetEnabled(false);
    if (view_)
        view_->CloseCountdown();
}

void EndActionCountdown::Tick() {
    if (!Running())
        return;
    if (--secondsLeft_ > 0) {
        if (view_)
            view_->ShowCountdown(action_, secondsLeft_);
        return;
    }
    const EndAction action = action_;
    action_ = EndAction::Nothing;
    timer_.SetEnabled(false);
    // The window goes before the computer does.
    if (view_)
        view_->CloseCountdown();
    CarryOut(action);
}

// A refusal is not reported: there is nobody the end of a session could ask.
void EndActionCountdown::CarryOut(EndAction action) {
    switch (action) {
    case EndAction::Nothing:
        break;
    case EndAction::DisplayOff:
        system_.TurnDisplayOff();
        break;
    case EndAction::Lock:
        system_.LockScreen();
        break;
    case EndAction::Sleep:
        system_.Sleep();
        break;
    case EndAction::Hibernate:
        system_.Hibernate();
        break;
    case EndAction::ShutDown:
        system_.ShutDown();
        break;
    }
}

} // namespace staywick
