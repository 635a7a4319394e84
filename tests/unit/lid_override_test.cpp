// Holding the lid-close action at "do nothing" and putting it back: the
// rule that says which lines are held, the values found kept in the store
// before any write, a start after a crash that puts saved values back, and a
// refusal that changes nothing and is said once.
#include "engine/lid_override.h"
#include "fakes/fake_lid_close_action.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace staywick {
namespace {

using fakes::kBalanced;
using fakes::kSaver;
using fakes::LidValues;

struct TargetRow {
    const char* name;
    std::int32_t choice;
    bool keepAwakeOn;
    bool onBattery;
    LidOverrideTarget expected;
};

TEST(LidOverrideRule, WhichLinesAreHeld) {
    const TargetRow rows[] = {
        {.name = "never", .choice = 0, .keepAwakeOn = true, .onBattery = false, .expected = {}},
        {.name = "on mains, on AC",
         .choice = 1,
         .keepAwakeOn = true,
         .onBattery = false,
         .expected = {.ac = true}},
        {.name = "on mains, on battery",
         .choice = 1,
         .keepAwakeOn = true,
         .onBattery = true,
         .expected = {}},
        {.name = "always, on AC",
         .choice = 2,
         .keepAwakeOn = true,
         .onBattery = false,
         .expected = {.ac = true, .dc = true}},
        {.name = "always, on battery",
         .choice = 2,
         .keepAwakeOn = true,
         .onBattery = true,
         .expected = {.ac = true, .dc = true}},
        {.name = "always, keep-awake off",
         .choice = 2,
         .keepAwakeOn = false,
         .onBattery = false,
         .expected = {}},
        {.name = "a value no version writes",
         .choice = 3,
         .keepAwakeOn = true,
         .onBattery = false,
         .expected = {}},
    };
    for (const TargetRow& row : rows) {
        EXPECT_EQ(LidOverrideFor(row.choice, row.keepAwakeOn, row.onBattery), row.expected)
            << row.name;
    }
}

class LidOverrideTest : public ::testing::Test {
protected:
    LidOverrideTest() {
        lid.OnProblem = [this](LidProblem problem) { said.push_back(problem); };
    }
    LidValues Balanced() { return action.schemes[kBalanced]; }

    std::vector<std::wstring> log;
    fakes::FakeLidCloseAction action{log};
    fakes::MemoryLidOriginals store{log};
    LidOverride lid{action, store};
    std::vector<LidProblem> said;
};

TEST_F(LidOverrideTest, TheValuesFoundAreKeptBeforeAnyWriteAndPutBackAfter) {
    action.schemes[kBalanced] = {.ac = 1, .dc = 2};
    lid.Apply({.ac = true, .dc = true});
    EXPECT_EQ(Balanced(), (LidValues{.ac = 0, .dc = 0}));
    EXPECT_EQ(store.kept, (LidOriginals{.scheme = kBalanced, .ac = 1, .dc = 2}));
    const std::vector<std::wstring> holding = {
        L"read AC", L"read DC", L"save", L"write AC 0", L"write DC 0", L"activate " + kBalanced};
    EXPECT_EQ(log, holding);

    log.clear();
    lid.Restore();
    EXPECT_EQ(Balanced(), (LidValues{.ac = 1, .dc = 2}));
    EXPECT_FALSE(store.kept);
    const std::vector<std::wstring> back = {L"write AC 1", L"write DC 2", L"activate " + kBalanced,
                                            L"clear"};
    EXPECT_EQ(log, back);
    EXPECT_TRUE(said.empty());
}

// "On mains power" on AC, then "always": the AC line is put back and both
// are held afresh; the DC value is never touched while only AC is held.
TEST_F(LidOverrideTest, OnlyTheTargetsLinesAreTouched) {
    action.schemes[kBalanced] = {.ac = 3, .dc = 1};
    lid.Apply({.ac = true});
    EXPECT_EQ(Balanced(), (LidValues{.ac = 0, .dc = 1}));
    EXPECT_EQ(store.kept, (LidOriginals{.scheme = kBalanced, .ac = 3}));
    lid.Apply({.ac = true});
    EXPECT_EQ(std::count(log.begin(), log.end(), L"save"), 1) << "the same target again: nothing";
    lid.Apply({.ac = true, .dc = true});
    EXPECT_EQ(Balanced(), (LidValues{.ac = 0, .dc = 0}));
    EXPECT_EQ(store.kept, (LidOriginals{.scheme = kBalanced, .ac = 3, .dc = 1}));
    lid.Restore();
    EXPECT_EQ(Balanced(), (LidValues{.ac = 3, .dc = 1}));
}

// The user switched to another scheme meanwhile: the values go back into
// the scheme they came from, which is not made active again.
TEST_F(LidOverrideTest, PutBackIntoASchemeTheUserLeftDoesNotActivateIt) {
    lid.Apply({.ac = true});
    action.active = kSaver;
    log.clear();
    lid.Restore();
    EXPECT_EQ(Balanced().ac, 1u);
    EXPECT_EQ(std::count(log.begin(), log.end(), L"activate " + kBalanced), 0);
    EXPECT_FALSE(store.kept);
}

struct CrashRow {
    const char* name;
    LidOriginals saved;
    std::wstring active;
    bool refuseWrites;
    LidValues after;
    bool activated;
    bool keptAfter;
};

// A start after a crash: the saved values go back and the store forgets
// them; when that fails they stay for the next start, and nothing is held
// meanwhile, since the scheme's values now are the program's, not the user's.
TEST_F(LidOverrideTest, AStartAfterACrashPutsTheSavedValuesBack) {
    const CrashRow rows[] = {
        {.name = "both lines, active scheme",
         .saved = {.scheme = kBalanced, .ac = 2, .dc = 3},
         .active = kBalanced,
         .refuseWrites = false,
         .after = {.ac = 2, .dc = 3},
         .activated = true,
         .keptAfter = false},
        {.name = "AC only, another scheme active now",
         .saved = {.scheme = kBalanced, .ac = 3},
         .active = kSaver,
         .refuseWrites = false,
         .after = {.ac = 3, .dc = 0},
         .activated = false,
         .keptAfter = false},
        {.name = "refused",
         .saved = {.scheme = kBalanced, .ac = 2, .dc = 3},
         .active = kBalanced,
         .refuseWrites = true,
         .after = {.ac = 0, .dc = 0},
         .activated = true,
         .keptAfter = true},
    };
    for (const CrashRow& row : rows) {
        SCOPED_TRACE(row.name);
        log.clear();
        std::vector<LidProblem> problems;
        fakes::FakeLidCloseAction crashed{log};
        crashed.schemes[kBalanced] = {.ac = 0, .dc = 0}; // as the crashed run left it
        crashed.active = row.active;
        crashed.refuseEveryWrite = row.refuseWrites;
        fakes::MemoryLidOriginals file{log};
        file.kept = row.saved;
        LidOverride start{crashed, file};
        start.OnProblem = [&](LidProblem p) { problems.push_back(p); };
        start.RestoreSaved();
        EXPECT_EQ(crashed.schemes[kBalanced], row.after);
        EXPECT_EQ(std::count(log.begin(), log.end(), L"activate " + kBalanced),
                  row.activated ? 1 : 0);
        EXPECT_EQ(file.kept.has_value(), row.keptAfter);

        crashed.refuseEveryWrite = false;
        start.Apply({.ac = true});
        EXPECT_EQ(start.Held().Any(), !row.keptAfter);
        if (row.keptAfter) {
            EXPECT_EQ(file.kept, row.saved) << "the true values are never overwritten";
            EXPECT_EQ(problems.size(), 1u);
        }
    }
}

struct RefusalRow {
    const char* name;
    bool noActiveScheme;
    bool refuseRead;
    std::optional<PowerLine> refuseWrite;
    bool fileRefuses;
    LidProblem problem;
};

// Whatever refuses (no active scheme, as under Wine; a read; the DC write
// after the AC one went through; the settings file), the scheme ends as it
// was, the store holds nothing, the problem is said once however often the
// status asks again, and once more after the user chooses again.
TEST_F(LidOverrideTest, ARefusalChangesNothingAndIsSaidOnce) {
    const RefusalRow rows[] = {
        {.name = "no active scheme",
         .noActiveScheme = true,
         .refuseRead = false,
         .refuseWrite = {},
         .fileRefuses = false,
         .problem = LidProblem::PowerSettingsRefused},
        {.name = "read refused",
         .noActiveScheme = false,
         .refuseRead = true,
         .refuseWrite = {},
         .fileRefuses = false,
         .problem = LidProblem::PowerSettingsRefused},
        {.name = "the DC write refused (managed)",
         .noActiveScheme = false,
         .refuseRead = false,
         .refuseWrite = PowerLine::Dc,
         .fileRefuses = false,
         .problem = LidProblem::PowerSettingsRefused},
        {.name = "the settings file refuses",
         .noActiveScheme = false,
         .refuseRead = false,
         .refuseWrite = {},
         .fileRefuses = true,
         .problem = LidProblem::SettingsFileRefused},
    };
    for (const RefusalRow& row : rows) {
        SCOPED_TRACE(row.name);
        log.clear();
        std::vector<LidProblem> problems;
        fakes::FakeLidCloseAction refusing{log};
        refusing.schemes[kBalanced] = {.ac = 2, .dc = 3};
        refusing.noActiveScheme = row.noActiveScheme;
        refusing.refuseRead = row.refuseRead;
        refusing.refuseWrite = row.refuseWrite;
        fakes::MemoryLidOriginals file{log};
        file.refuse = row.fileRefuses;
        LidOverride lidOverride{refusing, file};
        lidOverride.OnProblem = [&](LidProblem p) { problems.push_back(p); };

        for (int i = 0; i < 3; ++i) {
            lidOverride.Apply({});
            lidOverride.Apply({.ac = true, .dc = true});
        }
        EXPECT_EQ(refusing.schemes[kBalanced], (LidValues{.ac = 2, .dc = 3}));
        EXPECT_FALSE(file.kept);
        EXPECT_FALSE(lidOverride.Held().Any());
        EXPECT_EQ(problems, std::vector<LidProblem>{row.problem});
        if (row.fileRefuses) {
            EXPECT_EQ(std::count_if(log.begin(), log.end(),
                                    [](const std::wstring& c) { return c.starts_with(L"write"); }),
                      0)
                << "nothing is written when the values cannot be kept";
        }

        lidOverride.ChoiceChanged();
        lidOverride.Apply({.ac = true, .dc = true});
        EXPECT_EQ(problems.size(), 2u) << "said again after a new choice";
    }
}

} // namespace
} // namespace staywick
