// "Extend by 1 hour", "/extend" and the warning before the end: how far the
// end moves (never past a MaxMinutes cap), which item keeps the check mark,
// what the caption and a restart show, and when the balloon comes.
#include "engine/end_action.h"
#include "engine/remote_command.h"
#include "fakes/fake_files.h"
#include "fakes/fake_policy_store.h"
#include "fakes/fake_session_ends.h"
#include "fakes/keep_awake_rig.h"
#include "settings/ini_profile.h"
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace staywick {
namespace {

using fakes::ItemFor;
using fakes::KeepAwakeRig;
using fakes::SessionEndsRig;
using fakes::State;

constexpr std::uint64_t kMinute = 60000;

class ExtendTest : public ::testing::Test {
protected:
    KeepAwakeController& Create(TStaywickOptions options = State(false, 0, false)) {
        return both.Start(options);
    }

    fakes::SessionEndRig both;
    KeepAwakeRig& rig = both.keep;
    SessionEndsRig& ends = both.ends;
};

TEST_F(ExtendTest, CountdownsMoveTheirEndAndKeepAMatchingCheck) {
    struct Row {
        const char* name;
        std::int32_t chosen;
        std::optional<std::int32_t> cap{};
        std::uint64_t after; // minutes into the session
        std::int32_t extend;
        std::uint64_t endsAt; // minutes after the session's start
        std::optional<std::int64_t> checkedItem{};
        bool ownChecked = false;
    };
    const Row rows[] = {
        {.name = "1 hour + 1 hour is 2 Hours",
         .chosen = 60,
         .after = 20,
         .extend = 60,
         .endsAt = 120,
         .checkedItem = 120},
        {.name = "30 + 60 is a length of one's own",
         .chosen = 30,
         .after = 10,
         .extend = 60,
         .endsAt = 90,
         .ownChecked = true},
        {.name = "never past the cap",
         .chosen = 30,
         .cap = 60,
         .after = 10,
         .extend = 60,
         .endsAt = 60,
         .checkedItem = 60},
        {.name = "never beyond 24 hours",
         .chosen = 720,
         .after = 1,
         .extend = 1440,
         .endsAt = 1440,
         .ownChecked = true},
    };
    for (const Row& row : rows) {
        fakes::SessionEndRig both;
        KeepAwakeRig& local = both.keep;
        KeepAwakeController& controller =
            both.Start(State(false, 0, false),
                       row.cap ? fakes::MachinePolicy(
                                     {{PolicyId::MaxMinutes, static_cast<std::uint32_t>(*row.cap)}})
                               : StaywickPolicy{});
        controller.ActivateForMinutesClick(row.chosen);
        local.clock.Advance(row.after * kMinute);
        EXPECT_TRUE(controller.ExtendClick(row.extend)) << row.name;
        EXPECT_EQ(local.options.ActivateFor, static_cast<std::int32_t>(row.endsAt)) << row.name;
        EXPECT_EQ(local.view.ownChecked, row.ownChecked) << row.name;
        if (row.checkedItem) {
            EXPECT_EQ(local.view.CheckedPositions(),
                      std::vector<std::size_t>{ItemFor(*row.checkedItem)})
                << row.name;
        } else {
            EXPECT_TRUE(local.view.CheckedPositions().empty()) << row.name;
        }
        local.clock.Advance((row.endsAt - row.after) * kMinute - 1);
        EXPECT_TRUE(local.options.Active) << row.name;
        local.clock.Advance(1);
        EXPECT_FALSE(local.options.Active) << row.name;
    }
}

TEST_F(ExtendTest, TheCaptionShowsTheNewEndAndTheItemShowsOnlyWithAnEnd) {
    KeepAwakeController& controller = Create();
    EXPECT_FALSE(ends.view.extendVisible);
    controller.Indefinitely1Click(ItemFor(60));
    EXPECT_TRUE(ends.view.extendVisible);
    EXPECT_EQ(rig.view.caption, L"&Staywick is active (1 hours)");
    rig.clock.Advance(30 * kMinute); // 13:30 on the fake clock
    controller.ExtendClick(60);
    // Started 13:00 for 1 hour, extended by one: ends 15:00.
    EXPECT_EQ(rig.view.caption, L"&Staywick is active (until 15:00)");
    EXPECT_EQ(controller.StatusLine(), L"Staywick is active (until 15:00), ends at 15:00");
    controller.Indefinitely1Click(0);
    EXPECT_FALSE(ends.view.extendVisible);
    EXPECT_FALSE(controller.ExtendClick(60));
    EXPECT_EQ(controller.AnswerCommand({.kind = CommandKind::Extend, .value = 60}).code,
              kExitUsage);
}

TEST_F(ExtendTest, UntilMovesToTheNewTimeAndIsSavedSo) {
    KeepAwakeController& controller = Create();
    controller.ActivateUntilClick(14 * 60); // 13:00 now
    EXPECT_EQ(controller.AnswerCommand({.kind = CommandKind::Extend, .value = 90}).code, kExitDone);
    EXPECT_EQ(rig.options.ActivateUntil, 15 * 60 + 30);
    EXPECT_EQ(rig.saved.back().ActivateUntil, 15 * 60 + 30);
    EXPECT_TRUE(rig.view.untilChecked);
    EXPECT_EQ(rig.view.caption, L"&Staywick is active (until 15:30)");
    rig.clock.Advance(150 * kMinute - 1);
    EXPECT_TRUE(rig.options.Active);
    rig.clock.Advance(1);
    EXPECT_FALSE(rig.options.Active);
}

// A restart runs the extended countdown afresh at its new length, as any
// countdown comes back, and an extended "until" comes back with its new time.
TEST_F(ExtendTest, ARestartComesBackWithTheExtendedEnd) {
    test::FakeFiles files;
    files.AddDir(L"C:\\p");
    IniProfile profile{files};
    const std::wstring ini = L"C:\\p\\Staywick.Settings";
    KeepAwakeController& controller = Create();
    rig.saveHook = [&] { SaveOptions(profile, ini, rig.options); };
    controller.ActivateForMinutesClick(30);
    controller.ExtendClick(60);

    KeepAwakeRig restarted;
    restarted.options = LoadOptions(profile, ini);
    KeepAwakeController& again = restarted.Create();
    again.SelectActivateItemAtLoad();
    restarted.StartUp();
    EXPECT_EQ(restarted.options.ActivateFor, 90);
    EXPECT_TRUE(restarted.view.ownChecked);
    restarted.clock.Advance(90 * kMinute - 1);
    EXPECT_TRUE(restarted.options.Active);
    restarted.clock.Advance(1);
    EXPECT_FALSE(restarted.options.Active);
}

TEST_F(ExtendTest, TheWarningComesBeforeTheEndAndFollowsAnExtension) {
    KeepAwakeController& controller = Create();
    controller.ActivateForMinutesClick(30);
    rig.clock.Advance(25 * kMinute - 1);
    EXPECT_TRUE(ends.view.warnings.empty());
    rig.clock.Advance(1);
    EXPECT_EQ(ends.view.warnings, std::vector<std::wstring>{L"13:30"});
    // The balloon's click: an hour longer, and a new warning 5 minutes before.
    controller.ExtendClick(kExtendClickMinutes);
    rig.clock.Advance(60 * kMinute - 1);
    EXPECT_EQ(ends.view.warnings.size(), 1u);
    rig.clock.Advance(1);
    EXPECT_EQ(ends.view.warnings.back(), L"14:30");
}

TEST_F(ExtendTest, NoWarningWhenOffOrWhenTheSessionIsShorter) {
    TStaywickOptions options = State(false, 0, false);
    options.WarnBeforeEnd = 0;
    KeepAwakeController& controller = Create(options);
    controller.ActivateForMinutesClick(30);
    rig.clock.Advance(30 * kMinute);
    EXPECT_TRUE(ends.view.warnings.empty());
    rig.options.WarnBeforeEnd = 5;
    controller.ActivateForMinutesClick(3);
    rig.clock.Advance(3 * kMinute);
    EXPECT_TRUE(ends.view.warnings.empty());
}

TEST(EndActionSettings, WrittenOnlyOnceChosenAndReadWithinRange) {
    test::FakeFiles files;
    files.AddDir(L"C:\\p");
    IniProfile profile{files};
    const std::wstring ini = L"C:\\p\\Staywick.Settings";
    TStaywickOptions options;
    SaveOptions(profile, ini, options);
    EXPECT_EQ(files.files[ini].find("EndAction"), std::string::npos);
    EXPECT_EQ(files.files[ini].find("WarnBeforeEnd"), std::string::npos);
    options.EndAction = 3;
    options.WarnBeforeEnd = 10;
    SaveOptions(profile, ini, options);
    EXPECT_EQ(LoadOptions(profile, ini).EndAction, 3);
    EXPECT_EQ(LoadOptions(profile, ini).WarnBeforeEnd, 10);
    files.files[ini] = "[General]\r\nEndAction=6\r\nWarnBeforeEnd=61\r\n";
    EXPECT_EQ(LoadOptions(profile, ini).EndAction, 0);
    EXPECT_EQ(LoadOptions(profile, ini).WarnBeforeEnd, 5);
}

} // namespace
} // namespace staywick
