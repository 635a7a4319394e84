#pragma once
// Idle measurement and wake actions over the virtual clock: idle = tick count
// now minus the last input's tick count (32-bit, modulo 2^32); simulated key
// presses count as input, the zeroed mouse record of foregrounding does not
// (so it measures under Wine); Sleep lets virtual time pass; ProcessMessages pumps the
// clock's queue so handlers can run in the middle of a tick.
#include "fakes/virtual_clock.h"
#include "platform/input_power.h"

#include <cstdint>
#include <string>
#include <vector>

namespace staywick::fakes {

class FakeInputPower : public InputPower {
public:
    explicit FakeInputPower(VirtualClock& clock)
        : clock_(clock), lastInputTick_(clock.TickCount()) {}

    std::uint32_t GetIdleMilliseconds() override {
        ++idleReadings;
        if (idleFails)
            return 0;
        return clock_.TickCount() - lastInputTick_;
    }
    void SimulateKeyPress(std::int32_t inputKey) override {
        keysPressed.push_back(inputKey);
        events.push_back("key " + std::to_string(inputKey));
        UserInput(); // key down
        clock_.Sleep(100);
        UserInput(); // key up
    }
    void RequestAwakeState() override {
        executionStates.push_back(0x80000003u);
        events.push_back("request");
    }
    void RequestSystemAwakeState() override {
        executionStates.push_back(0x80000001u);
        events.push_back("request system");
    }
    void ReleaseAwakeState() override {
        executionStates.push_back(0x80000000u);
        events.push_back("release");
    }
    void ForceForegroundOnDesktop() override { events.push_back("foreground"); }
    void Sleep(std::uint32_t ms) override {
        events.push_back("sleep " + std::to_string(ms));
        clock_.Sleep(ms);
    }
    void ProcessMessages() override {
        events.push_back("pump");
        clock_.Pump();
    }

    // A real user input now.
    void UserInput() noexcept { lastInputTick_ = clock_.TickCount(); }
    void SetLastInputTick(std::uint32_t tick) noexcept { lastInputTick_ = tick; }

    bool idleFails = false; // GetLastInputInfo failing: every reading is 0
    int idleReadings = 0;
    std::vector<std::int32_t> keysPressed;
    std::vector<std::uint32_t> executionStates;
    std::vector<std::string> events;

private:
    VirtualClock& clock_;
    std::uint32_t lastInputTick_;
};

} // namespace staywick::fakes
