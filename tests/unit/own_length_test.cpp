// A countdown of the user's own length ("For...", "/for 45"): which lengths
// are one, how the file keeps it (the designed key keeps its rule, the
// length goes under "ActivateForMinutes"), and that it comes back at the
// next start as that same length, after a reboot and after it ran out.
#include "engine/own_length.h"
#include "engine/remote_command.h"
#include "fakes/fake_files.h"
#include "fakes/keep_awake_rig.h"
#include "settings/ini_profile.h"
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace staywick {
namespace {

using fakes::KeepAwakeRig;
using fakes::State;

constexpr std::uint64_t kMinute = 60000;
const std::wstring kIni = L"C:\\p\\Staywick.Settings";

TEST(OwnLength, OnlyLengthsNoItemHasFromOneMinuteToADay) {
    struct Row {
        std::int64_t minutes;
        bool own;
    };
    const Row rows[] = {{-5, false},   {0, false},   {1, true},   {5, false},
                        {45, true},    {720, false}, {721, true}, {1440, true},
                        {1441, false}, {60, false},  {90, true}};
    for (const Row& row : rows)
        EXPECT_EQ(IsOwnLength(row.minutes), row.own) << row.minutes;
}

class OwnLengthFile : public ::testing::Test {
protected:
    OwnLengthFile() { files.AddDir(L"C:\\p"); }
    std::string& File() { return files.files[kIni]; }

    test::FakeFiles files;
    IniProfile profile{files};
};

struct LoadRow {
    const char* name;
    const char* lines;
    std::int32_t activateFor;
    std::optional<std::int32_t> own{};
};

TEST_F(OwnLengthFile, LoadingTakesAnOwnLengthOnlyBesideTheDesignedZero) {
    const LoadRow rows[] = {
        {.name = "own length",
         .lines = "ActivateFor=0\r\nActivateForMinutes=45\r\n",
         .activateFor = 45,
         .own = 45},
        {.name = "an item's length is no own length",
         .lines = "ActivateFor=0\r\nActivateForMinutes=30\r\n",
         .activateFor = 0},
        {.name = "beyond a day",
         .lines = "ActivateFor=0\r\nActivateForMinutes=1441\r\n",
         .activateFor = 0},
        {.name = "an older version chose an item since",
         .lines = "ActivateFor=120\r\nActivateForMinutes=45\r\n",
         .activateFor = 120},
        {.name = "the designed key alone keeps its value for its rule",
         .lines = "ActivateFor=45\r\n",
         .activateFor = 45},
        {.name = "emptied", .lines = "ActivateFor=0\r\nActivateForMinutes=\r\n", .activateFor = 0},
    };
    for (const LoadRow& row : rows) {
        SCOPED_TRACE(row.name);
        File() = std::string("[General]\r\n") + row.lines;
        const TStaywickOptions loaded = LoadOptions(profile, kIni);
        EXPECT_EQ(loaded.ActivateFor, row.activateFor);
        EXPECT_EQ(loaded.ActivateForMinutes, row.own);
    }
}

TEST_F(OwnLengthFile, TheDesignedKeyHoldsZeroAndTheLengthItsOwnKey) {
    TStaywickOptions options;
    options.ActivateFor = 30;
    SaveOptions(profile, kIni, options);
    EXPECT_EQ(File().find("ActivateForMinutes"), std::string::npos) << "never used: absent";

    SetCountDownLength(options, 45);
    SaveOptions(profile, kIni, options);
    EXPECT_NE(File().find("ActivateFor=0\r\n"), std::string::npos);
    EXPECT_NE(File().find("ActivateForMinutes=45\r\n"), std::string::npos);
    EXPECT_EQ(LoadOptions(profile, kIni), options);

    SetCountDownLength(options, 60);
    SaveOptions(profile, kIni, options);
    EXPECT_NE(File().find("ActivateFor=60\r\n"), std::string::npos);
    EXPECT_NE(File().find("ActivateForMinutes=\r\n"), std::string::npos);
    EXPECT_EQ(LoadOptions(profile, kIni), options);
}

// The program as it starts: the file read, the "Activate for" check set,
// start-up run.
struct Start {
    explicit Start(const TStaywickOptions& loaded) : rig(loaded) {
        rig.Create().SelectActivateItemAtLoad();
        rig.StartUp();
    }
    KeepAwakeRig rig;
};

TEST_F(OwnLengthFile, ForFortyFiveComesBackAfterARebootAndAfterItRanOut) {
    std::optional<TStaywickOptions> lastSaved;
    {
        KeepAwakeRig rig(State(false, 0, false));
        auto& ctl = rig.Create();
        rig.StartUp();
        ctl.ApplyCommand(RemoteCommand{.kind = CommandKind::For, .value = 45});
        EXPECT_TRUE(rig.view.ownChecked);
        EXPECT_TRUE(rig.view.CheckedPositions().empty());
        EXPECT_EQ(rig.view.caption, L"&Staywick is active (45 minutes)");
        ASSERT_FALSE(rig.saved.empty());
        SaveOptions(profile, kIni, rig.saved.back());
    }
    // The reboot: on again with a fresh 45-minute countdown, not indefinitely.
    Start afterReboot(LoadOptions(profile, kIni));
    KeepAwakeRig& rig = afterReboot.rig;
    EXPECT_TRUE(rig.view.ownChecked);
    EXPECT_TRUE(rig.view.CheckedPositions().empty());
    EXPECT_EQ(rig.view.caption, L"&Staywick is active (45 minutes)");
    EXPECT_EQ(rig.controller->StatusCode(), kStatusOnWithEnd);
    EXPECT_TRUE(rig.saved.empty()) << "nothing to rewrite at start";
    rig.clock.Advance(45 * kMinute - 1);
    EXPECT_TRUE(rig.options.Active);
    rig.clock.Advance(1);
    EXPECT_FALSE(rig.options.Active);
    ASSERT_FALSE(rig.saved.empty());
    SaveOptions(profile, kIni, rig.saved.back());

    // Ran out: the next start resumes it with the same length.
    Start next(LoadOptions(profile, kIni));
    EXPECT_TRUE(next.rig.options.Active);
    EXPECT_EQ(next.rig.options.ActivateFor, 45);
    EXPECT_EQ(next.rig.countDownPort.Due(), 45 * kMinute);
}

// What the designed rule does with a value no item has stays as it was: a
// file's "ActivateFor=45" without the new key becomes 0, saved.
TEST_F(OwnLengthFile, TheDesignedRuleStillResetsTheDesignedKey) {
    File() = "[General]\r\nActive=1\r\nActivateFor=45\r\nAutoStopped=0\r\n";
    Start start(LoadOptions(profile, kIni));
    EXPECT_EQ(start.rig.options.ActivateFor, 0);
    EXPECT_FALSE(start.rig.view.ownChecked);
    EXPECT_TRUE(start.rig.view.checks[kActivateForIndefinitely]);
    ASSERT_EQ(start.rig.saved.size(), 1u);
    EXPECT_EQ(start.rig.saved.back().ActivateFor, 0);
}

// Choosing an item, "/on" or "Until..." ends the own length; a length of
// 90 minutes reads as its end, not as "1 hours".
TEST(OwnLength, OtherChoicesEndItAndTheCaptionNeverRoundsIt) {
    KeepAwakeRig rig(State(false, 0, false));
    auto& ctl = rig.Create();
    rig.StartUp();
    ctl.ActivateForMinutesClick(90);
    EXPECT_EQ(rig.view.caption, L"&Staywick is active (until 14:30)"); // the clock reads 13:00
    EXPECT_TRUE(rig.view.ownChecked);
    ctl.Indefinitely1Click(fakes::ItemFor(30));
    EXPECT_FALSE(rig.view.ownChecked);
    EXPECT_FALSE(rig.options.ActivateForMinutes.has_value());
    ctl.ActivateForMinutesClick(45);
    ctl.ActivateUntilClick(17 * 60);
    EXPECT_FALSE(rig.view.ownChecked);
    EXPECT_FALSE(rig.options.ActivateForMinutes.has_value());
    ctl.ActivateForMinutesClick(45);
    ctl.ApplyCommand(RemoteCommand{.kind = CommandKind::On});
    EXPECT_FALSE(rig.options.ActivateForMinutes.has_value());
    ctl.ActivateForMinutesClick(240);
    EXPECT_FALSE(rig.view.ownChecked) << "an item has that length";
    EXPECT_TRUE(rig.view.checks[fakes::ItemFor(240)]);
}

} // namespace
} // namespace staywick
