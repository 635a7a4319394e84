#pragma once
// The end of a session wired to the virtual clock: recorded system calls,
// countdown window and tray items.
#include "engine/session_ends.h"
#include "fakes/fake_policy_store.h"
#include "fakes/fake_system_actions.h"
#include "fakes/keep_awake_rig.h"
#include "fakes/virtual_clock.h"

#include <string>
#include <vector>

namespace staywick::fakes {

class RecordingSessionEndView : public SessionEndView, public EndActionCountdownView {
public:
    void SetExtendVisible(bool visible) override { extendVisible = visible; }
    void SetEndActionChoice(EndAction action, bool allowed, bool hibernate) override {
        chosen = action;
        choiceEnabled = allowed;
        hibernateOffered = hibernate;
    }
    void WarnOfEnd(const std::wstring& endText) override { warnings.push_back(endText); }
    void ShowCountdown(EndAction action, std::int32_t secondsLeft) override {
        countdownAction = action;
        countdownShown = secondsLeft;
        countdownOpen = true;
    }
    void CloseCountdown() override { countdownOpen = false; }

    bool extendVisible = false;
    EndAction chosen = EndAction::Nothing;
    bool choiceEnabled = false;
    bool hibernateOffered = false;
    std::vector<std::wstring> warnings;
    EndAction countdownAction = EndAction::Nothing;
    std::int32_t countdownShown = 0;
    bool countdownOpen = false;
};

struct SessionEndsRig {
    explicit SessionEndsRig(VirtualClock& clock)
        : countdownPort(clock), warningPort(clock), ends(system, countdownPort, warningPort, view) {
        ends.Countdown.SetView(&view);
    }

    FakeSystemActions system;
    FakeTimerPort countdownPort, warningPort;
    RecordingSessionEndView view;
    SessionEnds ends;
};

// The controller with its session ends, as the program wires them.
struct SessionEndRig {
    // Builds the controller under `policy` and runs start-up.
    KeepAwakeController& Start(TStaywickOptions options = State(false, 0, false),
                               const StaywickPolicy& policy = {}) {
        keep.options = options;
        KeepAwakeController& controller = keep.Create();
        controller.SetSessionEnds(&ends.ends);
        controller.SetPolicy(policy);
        keep.automatic.OnOneShotEnded = [&controller] { controller.OneShotEnded(); };
        keep.StartUp();
        return controller;
    }

    KeepAwakeRig keep;
    SessionEndsRig ends{keep.clock};
};

} // namespace staywick::fakes
