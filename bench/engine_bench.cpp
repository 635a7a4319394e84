// Figures of the keep-awake tick on the virtual clock: how often it wakes
// and presses keys per idle hour, whether user input keeps it from pressing,
// and how long one forced wake blocks the GUI thread. Prints; asserts nothing.
#include "fakes/keep_awake_rig.h"

#include <chrono>
#include <cstdint>
#include <cstdio>

namespace {

using staywick::TStaywickOptions;
using staywick::fakes::KeepAwakeRig;

constexpr std::uint64_t kHour = 3600000;
constexpr std::uint64_t kHours = 24; // long enough for the steady rhythm

struct Figures {
    double ticksPerHour = 0;
    double pressesPerHour = 0;
    std::uint64_t longestBlockMs = 0;
    double hostNsPerTick = 0;
};

// Keep-awake on for kHours; `inputEveryMs` 0 means no user input at all.
Figures Run(std::int32_t sleepMax, std::uint64_t inputEveryMs) {
    TStaywickOptions options;
    options.SleepMax = sleepMax;
    options.AutoStopped = false;
    KeepAwakeRig rig(options);
    rig.Create();
    const auto started = std::chrono::steady_clock::now();
    const std::uint64_t end = kHours * kHour;
    if (inputEveryMs == 0) {
        rig.clock.AdvanceTo(end);
    } else {
        for (std::uint64_t t = inputEveryMs; t <= end; t += inputEveryMs) {
            rig.clock.AdvanceTo(t);
            rig.input.UserInput();
        }
    }
    const auto hostNs =
        std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - started)
            .count();
    Figures f;
    const auto ticks = rig.mainPort.fireTimes.size();
    f.ticksPerHour = static_cast<double>(ticks) / kHours;
    f.pressesPerHour = static_cast<double>(rig.input.keysPressed.size()) / kHours;
    f.longestBlockMs = rig.clock.LongestHandlerMs();
    f.hostNsPerTick = ticks ? hostNs / static_cast<double>(ticks) : 0;
    return f;
}

} // namespace

int main() {
    std::printf("Keep-awake tick on the virtual clock, %llu simulated hours per row\n\n",
                static_cast<unsigned long long>(kHours));
    std::printf("%-26s %8s %12s %14s %16s %14s\n", "scenario", "SleepMax", "ticks/hour",
                "presses/hour", "longest block ms", "host ns/tick");
    std::uint64_t worstBlock = 0;
    for (const std::uint64_t inputEvery : {std::uint64_t{0}, std::uint64_t{30000}}) {
        for (const std::int32_t sleepMax : {1, 3, 60}) {
            const Figures f = Run(sleepMax, inputEvery);
            if (f.longestBlockMs > worstBlock)
                worstBlock = f.longestBlockMs;
            std::printf("%-26s %8d %12.2f %14.2f %16llu %14.0f\n",
                        inputEvery ? "user input every 30 s" : "idle, no input", sleepMax,
                        f.ticksPerHour, f.pressesPerHour,
                        static_cast<unsigned long long>(f.longestBlockMs), f.hostNsPerTick);
        }
    }
    std::printf("\nLongest blocking time of one forced wake: %llu ms (goal: <= 300 ms)\n",
                static_cast<unsigned long long>(worstBlock));
    std::printf("Goal with user input every 30 s: 0 presses/hour\n");
    return 0;
}
