// A program in front and a window title as reasons of the one rule: where
// they stand among the others, the user's "off" overruling them until they
// end, the pauses winning over them, and the captions that name them.
#include "engine/keep_awake_rule.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace staywick {
namespace {

const ReasonCaptions kCaptions{
    .foreground = L"&Staywick is active (while %1 is in front)",
    .foregroundDisplaySleeps = L"&Staywick is active (while %1 is in front, display may sleep)",
    .windowTitle = L"&Staywick is active (while a window titled %1 is open)",
    .windowTitleDisplaySleeps =
        L"&Staywick is active (while a window titled %1 is open, display may sleep)"};

const AutomaticReasons kInFront{.foreground = L"notepad.exe"};
const AutomaticReasons kTitled{.windowTitle = L"*notepad*"};
const AutomaticReasons kBoth{.foreground = L"notepad.exe", .windowTitle = L"*notepad*"};
const PowerFacts kOnBattery{.onBattery = true, .batteryPercent = 80};
const PowerFacts kLidClosedOnBattery{.onBattery = true, .batteryPercent = 80, .lidClosed = true};

struct WindowRuleCase {
    const char* name;
    KeepAwakeFacts facts;
    WantedBy wantedBy;
    Pause pause;
    bool on;
    const wchar_t* caption;
};
void PrintTo(const WindowRuleCase& c, std::ostream* os) {
    *os << c.name;
}

class WindowReasonsRule : public testing::TestWithParam<WindowRuleCase> {};

TEST_P(WindowReasonsRule, DecidesAndSaysWhy) {
    const auto& p = GetParam();
    const KeepAwakeDecision d = DecideKeepAwake(p.facts);
    EXPECT_EQ(d.wantedBy, p.wantedBy);
    EXPECT_EQ(d.pause, p.pause);
    EXPECT_EQ(d.on, p.on);
    EXPECT_EQ(AutomaticCaption(d, p.facts, kCaptions), p.caption);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WindowReasonsRule,
    testing::Values(
        WindowRuleCase{.name = "InFront",
                       .facts = {.reasons = kInFront},
                       .wantedBy = WantedBy::Foreground,
                       .pause = Pause::None,
                       .on = true,
                       .caption = L"&Staywick is active (while notepad.exe is in front)"},
        WindowRuleCase{.name = "Titled",
                       .facts = {.reasons = kTitled},
                       .wantedBy = WantedBy::WindowTitle,
                       .pause = Pause::None,
                       .on = true,
                       .caption = L"&Staywick is active (while a window titled *notepad* is open)"},
        WindowRuleCase{.name = "InFrontNamedBeforeTitle",
                       .facts = {.reasons = kBoth},
                       .wantedBy = WantedBy::Foreground,
                       .pause = Pause::None,
                       .on = true,
                       .caption = L"&Staywick is active (while notepad.exe is in front)"},
        WindowRuleCase{.name = "ListedProgramNamedBeforeInFront",
                       .facts = {.reasons = {.program = L"obs64.exe", .foreground = L"vlc.exe"}},
                       .wantedBy = WantedBy::Program,
                       .pause = Pause::None,
                       .on = true,
                       .caption = L"&Staywick is active (while obs64.exe runs)"},
        WindowRuleCase{.name = "TitleNamedBeforeSchedule",
                       .facts = {.reasons = {.scheduledUntil = LocalClockTime{17, 30},
                                             .windowTitle = L"*.pdf"}},
                       .wantedBy = WantedBy::WindowTitle,
                       .pause = Pause::None,
                       .on = true,
                       .caption = L"&Staywick is active (while a window titled *.pdf is open)"},
        WindowRuleCase{.name = "DisplayMaySleep",
                       .facts = {.reasons = kInFront, .keepDisplayOn = false},
                       .wantedBy = WantedBy::Foreground,
                       .pause = Pause::None,
                       .on = true,
                       .caption = L"&Staywick is active (while notepad.exe is in front, display "
                                  L"may sleep)"},
        WindowRuleCase{.name = "TitleDisplayMaySleep",
                       .facts = {.reasons = kTitled, .keepDisplayOn = false},
                       .wantedBy = WantedBy::WindowTitle,
                       .pause = Pause::None,
                       .on = true,
                       .caption = L"&Staywick is active (while a window titled *notepad* is "
                                  L"open, display may sleep)"},
        WindowRuleCase{.name = "ManualOnKeepsItsOwnCaption",
                       .facts = {.manualOn = true, .reasons = kBoth},
                       .wantedBy = WantedBy::User,
                       .pause = Pause::None,
                       .on = true,
                       .caption = L""},
        // The user's "off" wins over each reason it overruled.
        WindowRuleCase{.name = "OverruledInFront",
                       .facts = {.reasons = kInFront, .overruled = {.foreground = true}},
                       .wantedBy = WantedBy::Nobody,
                       .pause = Pause::None,
                       .on = false,
                       .caption = L""},
        WindowRuleCase{.name = "OverruledTitle",
                       .facts = {.reasons = kTitled, .overruled = {.windowTitle = true}},
                       .wantedBy = WantedBy::Nobody,
                       .pause = Pause::None,
                       .on = false,
                       .caption = L""},
        WindowRuleCase{.name = "OverruledInFrontTitleStillHolds",
                       .facts = {.reasons = kBoth, .overruled = {.foreground = true}},
                       .wantedBy = WantedBy::WindowTitle,
                       .pause = Pause::None,
                       .on = true,
                       .caption = L"&Staywick is active (while a window titled *notepad* is open)"},
        // Pauses win over them as over every reason.
        WindowRuleCase{.name = "BatteryPausesInFront",
                       .facts = {.reasons = kInFront,
                                 .power = kOnBattery,
                                 .choices = {.PauseOnBattery = true}},
                       .wantedBy = WantedBy::Foreground,
                       .pause = Pause::OnBattery,
                       .on = false,
                       .caption = L"&Staywick is paused (on battery)"},
        WindowRuleCase{.name = "LidPausesTitle",
                       .facts = {.reasons = kTitled, .power = kLidClosedOnBattery},
                       .wantedBy = WantedBy::WindowTitle,
                       .pause = Pause::LidClosed,
                       .on = false,
                       .caption = L"&Staywick is paused (lid closed)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WindowReasonsOverrule, SwitchOffOverrulesWhatHoldsUntilItEnds) {
    OverruledReasons overruled = OverruleOnSwitchOff(kBoth);
    EXPECT_EQ(overruled, (OverruledReasons{.foreground = true, .windowTitle = true}));
    // Notepad leaves the front; its window stays open.
    overruled = ForgetEndedReasons(overruled, kTitled);
    EXPECT_EQ(overruled, (OverruledReasons{.windowTitle = true}));
    // Back in front: it counts again, the title stays overruled.
    EXPECT_EQ(DecideKeepAwake({.reasons = kBoth, .overruled = overruled}).wantedBy,
              WantedBy::Foreground);
    overruled = ForgetEndedReasons(overruled, {});
    EXPECT_EQ(overruled, OverruledReasons{});
    EXPECT_EQ(OverruleOnSwitchOff({}), OverruledReasons{});
}

} // namespace
} // namespace staywick
