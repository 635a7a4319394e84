#pragma once
// The keep-awake controller wired to the virtual clock, the fake input/power
// and the recording seams; each save keeps a copy of the record.
#include "engine/activate_for_items.h"
#include "engine/keep_awake_controller.h"
#include "engine/staywick_options.h"
#include "fakes/fake_input_power.h"
#include "fakes/fake_keep_awake_seams.h"
#include "fakes/fake_power.h"
#include "fakes/virtual_clock.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace staywick::fakes {

struct KeepAwakeRig {
    explicit KeepAwakeRig(TStaywickOptions initial = {}, std::uint32_t startTick = 0)
        : clock(startTick), mainPort(clock), countDownPort(clock), debugPort(clock), input(clock),
          monotonic(clock), options(initial) {}

    // Builds the controller (TimerMain starts now); call after setting options.
    KeepAwakeController& Create() {
        controller = std::make_unique<KeepAwakeController>(
            options, view, input, diagnostics,
            [this] {
                if (saveHook)
                    saveHook();
                saved.push_back(options);
            },
            KeepAwakeTimerPorts{mainPort, countDownPort, debugPort},
            KeepAwakePowerPorts{.clock = &monotonic, .request = &powerRequest}, &automatic);
        automatic.OnChange = [this] { controller->UpdateActiveStatus(); };
        return *controller;
    }

    // What start-up does once the loop runs.
    void StartUp() { controller->Start(); }

    VirtualClock clock;
    FakeTimerPort mainPort, countDownPort, debugPort;
    FakeInputPower input;
    FakeClock monotonic;
    FakePowerRequest powerRequest;
    RecordingView view;
    RecordingDiagnostics diagnostics;
    TStaywickOptions options;
    // What the watchers report; nothing unless a test says so.
    AutomaticKeepAwake automatic;
    std::vector<TStaywickOptions> saved;
    std::function<void()> saveHook; // may throw, as a failing settings write does
    std::unique_ptr<KeepAwakeController> controller;
};

// Position of an "Activate for" item by its minutes (never the separator).
inline std::size_t ItemFor(std::int64_t minutes) {
    for (std::size_t i = 0; i < kActivateForTags.size(); ++i) {
        if (i != kActivateForSeparator && kActivateForTags[i] == minutes)
            return i;
    }
    throw std::logic_error("no such item");
}

inline TStaywickOptions State(bool active, std::int32_t activateFor, bool autoStopped) {
    TStaywickOptions o;
    o.Active = active;
    o.ActivateFor = activateFor;
    o.AutoStopped = autoStopped;
    return o;
}

} // namespace staywick::fakes
