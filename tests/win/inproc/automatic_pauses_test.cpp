// Pauses through the program's own wiring: the power source behind a seam,
// the lid and the session as the system's messages to the events window.
// Each pause stops the presses and releases both requests, its end brings
// them back; the lock choice releases only the display request.
#include "app/automatic_parts.h"
#include "app/program_parts.h"
#include "fakes/fake_keep_awake_seams.h"
#include "stub_ports.h"
#include "tray_font_support.h"

#include <gtest/gtest.h>

#include <wtsapi32.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace staywick {
namespace {

struct PressCounter : InputPower {
    std::uint32_t GetIdleMilliseconds() override { return 10 * 60000; }
    void SimulateKeyPress(std::int32_t) override { ++presses; }
    void RequestAwakeState() override { states.push_back(0x80000003u); }
    void RequestSystemAwakeState() override { states.push_back(0x80000001u); }
    void ReleaseAwakeState() override { states.push_back(0x80000000u); }
    void ForceForegroundOnDesktop() override {}
    void Sleep(std::uint32_t) override {}
    void ProcessMessages() override {}
    int presses = 0;
    std::vector<std::uint32_t> states;
};

struct HeldRequest : PowerRequest {
    bool Hold(const std::wstring&) override {
        held = L"system and display";
        return true;
    }
    bool HoldSystem(const std::wstring&) override {
        held = L"system";
        return true;
    }
    void Release() override { held.reset(); }
    std::optional<std::wstring> held;
};

struct SetPowerStatus : PowerStatus {
    PowerSource Read() override { return source; }
    PowerSource source{.onBattery = false, .batteryPercent = 80};
};

BOOL WINAPI QuietShell(DWORD, PNOTIFYICONDATAW) {
    return TRUE;
}

class AutomaticPauses : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fontReady);
        options.Active = true;
        options.AutoStopped = false;
        options.SleepMax = 3;
        parts = BuildProgramParts(options,
                                  ProgramPorts{.applicationWindow = nullptr,
                                               .windowDpi = 96,
                                               .input = input,
                                               .diagnostics = diagnostics,
                                               .timers = {mainTimer, countDownTimer, debugTimer},
                                               .saveOptions = [] {},
                                               .processMessages = {},
                                               .shell = &QuietShell,
                                               .power = {.request = &request},
                                               .trayRetryTimer = &retryTimer});
        automatic = std::make_unique<AutomaticParts>(parts->Automatic, status);
        parts->Tray.SetVisible(true);
    }
    void Apply(const PauseChoices& choices) {
        AutomaticOptions o;
        o.Pauses = choices;
        automatic->Apply(o);
        parts->Controller.Start();
    }
    HWND Events() { return automatic->Events().NotificationWindow(); }
    void PowerStatusChanged(bool onBattery, int percent) {
        status.source = {.onBattery = onBattery, .batteryPercent = percent};
        ::SendMessageW(Events(), WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0);
    }
    // As the system sends it: a pointer to the setting in lParam.
    void Lid(DWORD state) {
        std::vector<unsigned char> buffer(sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD));
        auto* setting = reinterpret_cast<POWERBROADCAST_SETTING*>(buffer.data());
        setting->PowerSetting = {
            0xBA3E0F4D, 0xB817, 0x4094, {0xA2, 0xD1, 0xD5, 0x63, 0x79, 0xE6, 0xA0, 0xF3}};
        setting->DataLength = sizeof(DWORD);
        std::memcpy(setting->Data, &state, sizeof(state));
        ::SendMessageW(Events(), WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                       reinterpret_cast<LPARAM>(setting));
    }
    void Session(WPARAM change) { ::SendMessageW(Events(), WM_WTSSESSION_CHANGE, change, 0); }

    // A tick as the main timer would deliver it; presses counted.
    int PressesOfOneTick() {
        const int before = input.presses;
        mainTimer.Expire();
        return input.presses - before;
    }
    void ExpectPaused(const wchar_t* caption) {
        EXPECT_EQ(PressesOfOneTick(), 0) << "no presses while paused";
        EXPECT_EQ(input.states.back(), 0x80000000u);
        EXPECT_FALSE(request.held);
        EXPECT_EQ(parts->Controller.GetTrayIcon(), 0);
        EXPECT_STREQ(parts->Tray.Hint().c_str(), caption);
        EXPECT_TRUE(options.Active) << "the user's state is kept";
    }
    void ExpectRunning() {
        EXPECT_EQ(PressesOfOneTick(), 2) << "a forced wake presses twice";
        EXPECT_EQ(input.states.back(), 0x80000003u);
        EXPECT_EQ(request.held, std::optional<std::wstring>(L"system and display"));
        EXPECT_EQ(parts->Controller.GetTrayIcon(), 1);
        EXPECT_STREQ(parts->Tray.Hint().c_str(), L"&Staywick is active");
    }

    bool fontReady = test::EnsureGlyphFont();
    TStaywickOptions options;
    test::ManualTimer mainTimer, countDownTimer, debugTimer, retryTimer;
    PressCounter input;
    test::NoDiagnostics diagnostics;
    HeldRequest request;
    SetPowerStatus status;
    std::unique_ptr<ProgramParts> parts;
    std::unique_ptr<AutomaticParts> automatic;
};

TEST_F(AutomaticPauses, OnBattery) {
    Apply({.PauseOnBattery = true});
    ExpectRunning();
    PowerStatusChanged(true, 80);
    ExpectPaused(L"&Staywick is paused (on battery)");
    PowerStatusChanged(false, 80);
    ExpectRunning();
}

TEST_F(AutomaticPauses, BelowBatteryLevel) {
    Apply({.PauseBelowBattery = 20});
    PowerStatusChanged(true, 20);
    ExpectRunning();
    PowerStatusChanged(true, 19);
    ExpectPaused(L"&Staywick is paused (battery below 20%)");
    PowerStatusChanged(false, 19); // charging
    ExpectRunning();
}

TEST_F(AutomaticPauses, LidClosedOnBatteryByDefault) {
    Apply({});
    PowerStatusChanged(true, 80);
    ExpectRunning();
    Lid(0);
    ExpectPaused(L"&Staywick is paused (lid closed)");
    Lid(1);
    ExpectRunning();
    Lid(0);
    PowerStatusChanged(false, 80); // on AC a closed lid does not pause
    ExpectRunning();
}

TEST_F(AutomaticPauses, ResumeReadsThePowerSourceAgain) {
    Apply({.PauseOnBattery = true});
    status.source = {.onBattery = true, .batteryPercent = 50}; // changed while asleep
    ::SendMessageW(Events(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    ExpectPaused(L"&Staywick is paused (on battery)");
}

// A locked session goes on pressing; with the choice the display may go off.
struct LockCase {
    const char* name;
    bool displayOffWhenLocked;
    std::uint32_t state;
    const wchar_t* held;
};

class AutomaticPausesLock : public AutomaticPauses,
                            public ::testing::WithParamInterface<LockCase> {};

TEST_P(AutomaticPausesLock, TheDisplayIsReleasedOnlyWithTheChoice) {
    Apply({.DisplayOffWhenLocked = GetParam().displayOffWhenLocked});
    Session(WTS_SESSION_LOCK);
    EXPECT_EQ(PressesOfOneTick(), 2) << "the presses go on";
    EXPECT_EQ(input.states.back(), GetParam().state);
    EXPECT_EQ(request.held, std::optional<std::wstring>(GetParam().held));
    EXPECT_EQ(parts->Controller.GetTrayIcon(), 1);
    EXPECT_STREQ(parts->Tray.Hint().c_str(), L"&Staywick is active");
    Session(WTS_SESSION_UNLOCK);
    ExpectRunning();
}

INSTANTIATE_TEST_SUITE_P(Choices, AutomaticPausesLock,
                         ::testing::Values(LockCase{.name = "LockChoiceReleasesOnlyTheDisplay",
                                                    .displayOffWhenLocked = true,
                                                    .state = 0x80000001u,
                                                    .held = L"system"},
                                           LockCase{.name = "WithoutTheChoiceTheDisplayStays",
                                                    .displayOffWhenLocked = false,
                                                    .state = 0x80000003u,
                                                    .held = L"system and display"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace staywick
