// "Keep the display on" off, by the user or by the AllowKeepDisplayOn
// policy: no key is pressed, only the system is held (execution state and
// power request), the status says on and that the display may sleep, and
// the tray's check item follows. Kept on, everything is as before.
#include "engine/active_caption.h"
#include "engine/keep_awake_rule.h"
#include "engine/policy.h"
#include "engine/policy_rules.h"
#include "fakes/fake_policy_store.h"
#include "fakes/keep_awake_rig.h"
#include "settings/ini_profile.h"
#include "settings/settings_file.h"
#include "fakes/fake_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

namespace staywick {
namespace {

using fakes::KeepAwakeRig;
using fakes::State;

constexpr std::uint64_t kMinute = 60000;
constexpr std::uint32_t kSystemAndDisplay = 0x80000003u;
constexpr std::uint32_t kSystemOnly = 0x80000001u;

StaywickPolicy PolicyWith(std::optional<std::uint32_t> allowKeepDisplayOn,
                          std::optional<std::uint32_t> allowSimulatedInput = {}) {
    PolicyReading machine{}, user{};
    const auto set = [&](PolicyId id, std::optional<std::uint32_t> v) {
        if (v)
            machine[static_cast<std::size_t>(id)] = {.kind = RawPolicyValue::Kind::Dword,
                                                     .dword = *v};
    };
    set(PolicyId::AllowKeepDisplayOn, allowKeepDisplayOn);
    set(PolicyId::AllowSimulatedInput, allowSimulatedInput);
    return StaywickPolicy::Merge(machine, user);
}

struct RuleRow {
    const char* name;
    bool keepDisplayOn = true;
    bool notifySystem = true;
    std::optional<std::uint32_t> allowKeepDisplayOn{};
    std::optional<std::uint32_t> allowSimulatedInput{};
    bool effectiveKeepDisplayOn = true;
    bool effectiveNotify = true;
    bool pressesKeys = true;
};

TEST(DisplayMode, PolicyAndChoiceGiveTheModeTheNotifyAndThePresses) {
    const RuleRow rows[] = {
        {.name = "kept on"},
        {.name = "kept on, notify off", .notifySystem = false, .effectiveNotify = false},
        {.name = "let sleep: the system request is all that holds",
         .keepDisplayOn = false,
         .notifySystem = false,
         .effectiveKeepDisplayOn = false,
         .pressesKeys = false},
        {.name = "policy 0 forces it whatever the file says",
         .allowKeepDisplayOn = 0,
         .effectiveKeepDisplayOn = false,
         .pressesKeys = false},
        {.name = "policy 1 leaves the user's off",
         .keepDisplayOn = false,
         .allowKeepDisplayOn = 1,
         .effectiveKeepDisplayOn = false,
         .pressesKeys = false},
        {.name = "policy 1 leaves the user's on", .allowKeepDisplayOn = 1},
        {.name = "no simulated input: kept on, but no key",
         .allowSimulatedInput = 0,
         .pressesKeys = false},
    };
    for (const RuleRow& row : rows) {
        SCOPED_TRACE(row.name);
        TStaywickOptions user;
        user.KeepDisplayOn = row.keepDisplayOn;
        user.NotifySystem = row.notifySystem;
        const StaywickPolicy policy = PolicyWith(row.allowKeepDisplayOn, row.allowSimulatedInput);
        const TStaywickOptions effective = EffectiveOptions(user, policy);
        EXPECT_EQ(effective.KeepDisplayOn, row.effectiveKeepDisplayOn);
        EXPECT_EQ(effective.NotifySystem, row.effectiveNotify);
        EXPECT_EQ(PressesKeys(effective, policy), row.pressesKeys);
        EXPECT_EQ(user.KeepDisplayOn, row.keepDisplayOn) << "the user's own value stays";
    }
}

struct ControllerRow {
    const char* name;
    bool keepDisplayOn = true;
    bool notifySystem = true;
    std::optional<std::uint32_t> allowKeepDisplayOn{};
    std::optional<std::uint32_t> executionState{}; // the one held; none: never asked
    const wchar_t* powerRequest = nullptr;         // what is held; nullptr: nothing
    bool keysPressed = true;
    const wchar_t* caption = L"&Staywick is active";
    bool itemChecked = true;
    bool itemEnabled = true;
};

// An hour at a limit of one minute, on indefinitely.
TEST(DisplayMode, TheControllerHoldsPressesAndSaysWhatTheModeAsks) {
    const ControllerRow rows[] = {
        {.name = "kept on",
         .executionState = kSystemAndDisplay,
         .powerRequest = L"Staywick keeps this computer awake"},
        {.name = "kept on, notify off: keys only", .notifySystem = false},
        {.name = "let sleep",
         .keepDisplayOn = false,
         .executionState = kSystemOnly,
         .powerRequest = L"system Staywick keeps this computer awake",
         .keysPressed = false,
         .caption = L"&Staywick is active (display may sleep)",
         .itemChecked = false},
        {.name = "let sleep with notify off: the system is still held",
         .keepDisplayOn = false,
         .notifySystem = false,
         .executionState = kSystemOnly,
         .powerRequest = L"system Staywick keeps this computer awake",
         .keysPressed = false,
         .caption = L"&Staywick is active (display may sleep)",
         .itemChecked = false},
        {.name = "policy 0 with the file's 1",
         .allowKeepDisplayOn = 0,
         .executionState = kSystemOnly,
         .powerRequest = L"system Staywick keeps this computer awake",
         .keysPressed = false,
         .caption = L"&Staywick is active (display may sleep)",
         .itemChecked = false,
         .itemEnabled = false},
    };
    for (const ControllerRow& row : rows) {
        SCOPED_TRACE(row.name);
        TStaywickOptions o = State(true, 0, false);
        o.SleepMax = 1;
        o.KeepDisplayOn = row.keepDisplayOn;
        o.NotifySystem = row.notifySystem;
        KeepAwakeRig rig(o);
        auto& ctl = rig.Create();
        ctl.SetPolicy(PolicyWith(row.allowKeepDisplayOn));
        rig.diagnostics.logEnabled = true;
        rig.StartUp();
        rig.clock.Advance(60 * kMinute);
        EXPECT_EQ(!rig.input.keysPressed.empty(), row.keysPressed);
        if (row.executionState) {
            ASSERT_FALSE(rig.input.executionStates.empty());
            EXPECT_EQ(rig.input.executionStates.back(), *row.executionState);
        } else {
            EXPECT_TRUE(rig.input.executionStates.empty());
        }
        EXPECT_EQ(rig.powerRequest.held.value_or(L""), row.powerRequest ? row.powerRequest : L"");
        EXPECT_EQ(rig.view.caption, row.caption);
        EXPECT_EQ(rig.view.tip, row.caption);
        EXPECT_TRUE(rig.view.statusChecked);
        EXPECT_EQ(ctl.StatusCode(), kStatusOn);
        EXPECT_EQ(rig.view.keepDisplayOnChecked, row.itemChecked);
        EXPECT_EQ(rig.view.keepDisplayOnEnabled, row.itemEnabled);
        const bool saidNoPress =
            std::count(rig.diagnostics.lines.begin(), rig.diagnostics.lines.end(),
                       L"log|" + DisplayMaySleepNoPressLine()) > 0;
        EXPECT_EQ(saidNoPress, !row.keysPressed);
    }
}

// Every active caption says so in one sentence: a countdown, an end time,
// a listed program, the schedule. Pauses say nothing of it.
TEST(DisplayMode, CaptionsAreWholeSentences) {
    EXPECT_EQ(ActiveCaption(L"30 minutes", true),
              L"&Staywick is active (30 minutes, display may sleep)");
    EXPECT_EQ(ActiveCaption(L"30 minutes", false), L"&Staywick is active (30 minutes)");
    EXPECT_EQ(ActiveCaption({}, false), L"&Staywick is active");

    KeepAwakeFacts facts{.manualOn = false};
    facts.keepDisplayOn = false;
    facts.reasons.program = L"obs64.exe";
    EXPECT_EQ(AutomaticCaption(DecideKeepAwake(facts), facts),
              L"&Staywick is active (while obs64.exe runs, display may sleep)");
    facts.power.onBattery = true;
    facts.choices.PauseOnBattery = true;
    EXPECT_EQ(AutomaticCaption(DecideKeepAwake(facts), facts), L"&Staywick is paused (on battery)");

    TStaywickOptions o = State(false, 0, false);
    o.KeepDisplayOn = false;
    KeepAwakeRig rig(o);
    auto& ctl = rig.Create();
    rig.StartUp();
    ctl.Indefinitely1Click(fakes::ItemFor(30));
    EXPECT_EQ(rig.view.caption, L"&Staywick is active (30 minutes, display may sleep)");
    ctl.ActivateUntilClick(17 * 60);
    EXPECT_EQ(rig.view.caption, L"&Staywick is active (until 17:00, display may sleep)");
    ctl.MnuActiveClick();
    EXPECT_EQ(rig.view.caption, L"&Staywick is disabled");
}

// The check item and Options' OK switch at once, saved; under the policy
// the item changes nothing.
TEST(DisplayMode, SwitchingWhileOnChangesTheRequestsAtOnce) {
    KeepAwakeRig rig(State(true, 0, false));
    auto& ctl = rig.Create();
    rig.StartUp();
    ASSERT_EQ(rig.input.executionStates.back(), kSystemAndDisplay);

    ctl.KeepDisplayOnClick();
    EXPECT_FALSE(rig.options.KeepDisplayOn);
    ASSERT_FALSE(rig.saved.empty());
    EXPECT_FALSE(rig.saved.back().KeepDisplayOn);
    EXPECT_EQ(rig.input.executionStates.back(), kSystemOnly);
    EXPECT_EQ(rig.powerRequest.held, L"system Staywick keeps this computer awake");
    EXPECT_FALSE(rig.view.keepDisplayOnChecked);

    // As Options' OK: the box ticked again.
    rig.options.KeepDisplayOn = true;
    ctl.OptionsConfirmed(true);
    EXPECT_EQ(rig.input.executionStates.back(), kSystemAndDisplay);
    EXPECT_EQ(rig.powerRequest.held, L"Staywick keeps this computer awake");
    EXPECT_TRUE(rig.view.keepDisplayOnChecked);
    EXPECT_EQ(rig.view.caption, L"&Staywick is active");

    // A policy arrives: forced to sleep, the item greyed and inert.
    ctl.PolicyChanged(PolicyWith(0));
    EXPECT_EQ(rig.input.executionStates.back(), kSystemOnly);
    EXPECT_FALSE(rig.view.keepDisplayOnEnabled);
    const std::size_t saves = rig.saved.size();
    ctl.KeepDisplayOnClick();
    EXPECT_TRUE(rig.options.KeepDisplayOn) << "the user's own value stays";
    EXPECT_EQ(rig.saved.size(), saves);
}

const std::wstring kIni = L"C:\\p\\Staywick.Settings";

// A file without the key stays without it until the choice is changed; then
// it holds the choice, 1 included.
TEST(DisplayMode, TheKeyIsWrittenOnceChosen) {
    test::FakeFiles files;
    files.AddDir(L"C:\\p");
    IniProfile profile{files};
    std::string& file = files.files[kIni];
    TStaywickOptions options;
    SaveOptions(profile, kIni, options);
    EXPECT_EQ(file.find("KeepDisplayOn"), std::string::npos);
    options.KeepDisplayOn = false;
    SaveOptions(profile, kIni, options);
    EXPECT_NE(file.find("KeepDisplayOn=0\r\n"), std::string::npos);
    EXPECT_FALSE(LoadOptions(profile, kIni).KeepDisplayOn);
    options.KeepDisplayOn = true;
    SaveOptions(profile, kIni, options);
    EXPECT_NE(file.find("KeepDisplayOn=1\r\n"), std::string::npos);
    EXPECT_TRUE(LoadOptions(profile, kIni).KeepDisplayOn);
    file = "[General]\r\nKeepDisplayOn=x\r\n";
    EXPECT_TRUE(LoadOptions(profile, kIni).KeepDisplayOn) << "unreadable: the default";
}

} // namespace
} // namespace staywick
