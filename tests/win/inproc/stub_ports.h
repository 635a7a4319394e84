#pragma once
// Stand-ins for the platform ports that in-process tests of the real parts
// pass in: a timer the test expires by hand (so no test waits for a real
// interval), and diagnostics that are switched off.
#include "engine/keep_awake_seams.h"
#include "platform/timer_port.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace staywick::test {

struct ManualTimer : TimerPort {
    // `refuse`: the platform has no timer left, so every start fails.
    explicit ManualTimer(bool refuse = false) : refuse(refuse) {}

    bool Start(std::uint32_t ms) override {
        starts.push_back(ms);
        if (refuse)
            return false;
        armed = true;
        interval = ms;
        return true;
    }
    void Stop() override { armed = false; }
    void SetOnFire(std::function<void()> f) override { fire = std::move(f); }
    // One expiry, as the platform would deliver it while armed.
    void Expire() {
        if (armed && fire)
            fire();
    }

    bool refuse;
    bool armed = false;
    std::uint32_t interval = 0;
    std::vector<std::uint32_t> starts; // refused starts included
    std::function<void()> fire;
};

struct NoDiagnostics : TickDiagnostics {
    bool LogEnabled() const override { return false; }
    void AppendLog(const std::wstring&) override {}
    void DebugWrite(const std::wstring&) override {}
};

} // namespace staywick::test
