// The end of a session with an end: which end carries the user's action out,
// the minute's countdown before it, and "/then" for one session.
#include "engine/end_action.h"
#include "engine/remote_command.h"
#include "fakes/fake_policy_store.h"
#include "fakes/fake_session_ends.h"
#include "fakes/keep_awake_rig.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace staywick {
namespace {

using fakes::KeepAwakeRig;
using fakes::SessionEndsRig;
using fakes::State;

constexpr std::uint64_t kMinute = 60000;
constexpr std::uint64_t kSecond = 1000;

TEST(EndActionRule, OnlyAnEndReachedByItselfWithNothingElseAwakeActs) {
    struct Row {
        const char* name;
        EndActionFacts facts;
        EndAction expected;
    };
    const Row rows[] = {
        {.name = "countdown ran out",
         .facts = {.end = SessionEnd::CountDown, .chosen = EndAction::Sleep},
         .expected = EndAction::Sleep},
        {.name = "until reached its time",
         .facts = {.end = SessionEnd::Until, .chosen = EndAction::Lock},
         .expected = EndAction::Lock},
        {.name = "one-shot's program ended",
         .facts = {.end = SessionEnd::OneShot, .chosen = EndAction::ShutDown},
         .expected = EndAction::ShutDown},
        {.name = "user switched off",
         .facts = {.end = SessionEnd::UserOff, .chosen = EndAction::Sleep},
         .expected = EndAction::Nothing},
        {.name = "policy cap ended it",
         .facts = {.end = SessionEnd::PolicyCap, .chosen = EndAction::Sleep},
         .expected = EndAction::Nothing},
        {.name = "end passed while asleep or not running",
         .facts = {.end = SessionEnd::WhileAway, .chosen = EndAction::Sleep},
         .expected = EndAction::Nothing},
        {.name = "a listed program still keeps awake",
         .facts = {.end = SessionEnd::CountDown,
                   .stillKeptAwake = true,
                   .chosen = EndAction::Sleep},
         .expected = EndAction::Nothing},
        {.name = "/then wins over EndAction",
         .facts = {.end = SessionEnd::CountDown,
                   .chosen = EndAction::Lock,
                   .forSession = EndAction::Hibernate},
         .expected = EndAction::Hibernate},
        {.name = "/then with EndAction nothing",
         .facts = {.end = SessionEnd::Until, .forSession = EndAction::DisplayOff},
         .expected = EndAction::DisplayOff},
        {.name = "policy forbids",
         .facts = {.end = SessionEnd::CountDown, .forSession = EndAction::Sleep, .allowed = false},
         .expected = EndAction::Nothing},
        {.name = "no hibernation on this system",
         .facts = {.end = SessionEnd::CountDown,
                   .chosen = EndAction::Hibernate,
                   .canHibernate = false},
         .expected = EndAction::Nothing},
        {.name = "nothing chosen",
         .facts = {.end = SessionEnd::CountDown},
         .expected = EndAction::Nothing},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ActionAtEnd(row.facts), row.expected) << row.name;
}

TEST(EndActionRule, KeyValuesWordsAndTheCountdown) {
    EXPECT_EQ(EndActionFromValue(0), EndAction::Nothing);
    EXPECT_EQ(EndActionFromValue(5), EndAction::ShutDown);
    EXPECT_EQ(EndActionFromValue(6), std::nullopt);
    EXPECT_EQ(EndActionFromValue(-1), std::nullopt);
    EXPECT_EQ(EndActionFromWord(L"SLEEP"), EndAction::Sleep);
    EXPECT_EQ(EndActionFromWord(L"shutdown"), EndAction::ShutDown);
    EXPECT_EQ(EndActionFromWord(L"display"), EndAction::DisplayOff);
    EXPECT_EQ(EndActionFromWord(L"nothing"), std::nullopt);
    EXPECT_EQ(EndActionFromWord(L"shut"), std::nullopt);
    EXPECT_FALSE(EndActionCountsDown(EndAction::DisplayOff));
    EXPECT_FALSE(EndActionCountsDown(EndAction::Nothing));
    EXPECT_TRUE(EndActionCountsDown(EndAction::Lock));
    EXPECT_TRUE(EndActionCountsDown(EndAction::ShutDown));
}

TEST(EndActionRule, WarningTimes) {
    struct Row {
        const char* name;
        std::uint64_t now, end;
        std::int32_t warn;
        std::optional<std::uint64_t> delay;
    };
    const Row rows[] = {
        {.name = "30 min session, 5 min warning",
         .now = 0,
         .end = 30 * kMinute,
         .warn = 5,
         .delay = 25 * kMinute},
        {.name = "exactly the warning time left",
         .now = 0,
         .end = 5 * kMinute,
         .warn = 5,
         .delay = 0},
        {.name = "session shorter than the warning",
         .now = 0,
         .end = 3 * kMinute,
         .warn = 5,
         .delay = std::nullopt},
        {.name = "warnings off", .now = 0, .end = 30 * kMinute, .warn = 0, .delay = std::nullopt},
        {.name = "end passed",
         .now = 31 * kMinute,
         .end = 30 * kMinute,
         .warn = 5,
         .delay = std::nullopt},
        {.name = "an hour's warning",
         .now = 10 * kMinute,
         .end = 130 * kMinute,
         .warn = 60,
         .delay = 60 * kMinute},
    };
    for (const Row& row : rows)
        EXPECT_EQ(WarningDelay(row.now, row.end, row.warn), row.delay) << row.name;
    EXPECT_EQ(WarnBeforeEndFromValue(std::nullopt), 5);
    EXPECT_EQ(WarnBeforeEndFromValue(0), 0);
    EXPECT_EQ(WarnBeforeEndFromValue(60), 60);
    EXPECT_EQ(WarnBeforeEndFromValue(61), 5);
    EXPECT_EQ(WarnBeforeEndFromValue(-1), 5);
}

TEST(EndActionRule, ExtendedEndStopsAtTheLatest) {
    EXPECT_EQ(ExtendedEnd(30 * kMinute, 60, std::nullopt), 90 * kMinute);
    EXPECT_EQ(ExtendedEnd(30 * kMinute, 60, 60 * kMinute), 60 * kMinute);
    // Already past the latest (a cap that came later): the end stays.
    EXPECT_EQ(ExtendedEnd(90 * kMinute, 60, 60 * kMinute), 90 * kMinute);
}

// The controller with its session ends, on the virtual clock.
class SessionEndTest : public ::testing::Test {
protected:
    KeepAwakeController& Create(TStaywickOptions options = State(false, 0, false)) {
        return both.Start(options);
    }
    KeepAwakeController::CommandAnswer Command(const std::vector<std::wstring>& args) {
        const CommandLineParse parse = ParseCommandLineArguments(args);
        EXPECT_EQ(parse.kind, CommandLineKind::Command);
        return rig.controller->AnswerCommand(parse.command);
    }
    const std::vector<std::wstring>& Calls() const { return ends.system.calls; }

    fakes::SessionEndRig both;
    KeepAwakeRig& rig = both.keep;
    SessionEndsRig& ends = both.ends;
};

TEST_F(SessionEndTest, ForThirtyThenSleepSleepsAMinuteAfterItsEnd) {
    Create();
    EXPECT_EQ(Command({L"/for", L"30", L"/then", L"sleep"}).code, kExitDone);
    rig.clock.Advance(30 * kMinute - 1);
    EXPECT_FALSE(ends.view.countdownOpen);
    rig.clock.Advance(1);
    EXPECT_FALSE(rig.options.Active);
    EXPECT_TRUE(ends.view.countdownOpen);
    EXPECT_EQ(ends.view.countdownAction, EndAction::Sleep);
    EXPECT_EQ(ends.view.countdownShown, 60);
    rig.clock.Advance(59 * kSecond);
    EXPECT_EQ(ends.view.countdownShown, 1);
    EXPECT_TRUE(Calls().empty());
    rig.clock.Advance(kSecond);
    EXPECT_FALSE(ends.view.countdownOpen);
    EXPECT_EQ(Calls(), std::vector<std::wstring>{L"sleep"});
    // "/then" was for that session alone: the file keeps no action.
    EXPECT_EQ(rig.saved.back().EndAction, 0);
}

TEST_F(SessionEndTest, TheNextSessionForgetsThen) {
    Create();
    Command({L"/for", L"30", L"/then", L"lock"});
    Command({L"/for", L"15"});
    rig.clock.Advance(15 * kMinute + 61 * kSecond);
    EXPECT_TRUE(Calls().empty());
}

TEST_F(SessionEndTest, CancelAndAStartAgainKeepTheComputerAsItIs) {
    Create();
    Command({L"/for", L"5", L"/then", L"shutdown"});
    rig.clock.Advance(5 * kMinute + 10 * kSecond);
    ASSERT_TRUE(ends.view.countdownOpen);
    ends.ends.Countdown.Cancel();
    EXPECT_FALSE(ends.view.countdownOpen);
    rig.clock.Advance(2 * kMinute);
    EXPECT_TRUE(Calls().empty());

    Command({L"/for", L"5", L"/then", L"shutdown"});
    rig.clock.Advance(5 * kMinute + 10 * kSecond);
    ASSERT_TRUE(ends.view.countdownOpen);
    rig.controller->MnuActiveClick(); // on again: the computer is wanted
    EXPECT_FALSE(ends.view.countdownOpen);
    rig.clock.Advance(2 * kMinute);
    EXPECT_TRUE(Calls().empty());
}

TEST_F(SessionEndTest, EndsThatAreNotTheSessionsOwnDoNothing) {
    struct Row {
        const char* name;
        std::function<void(KeepAwakeController&)> end;
    };
    const Row rows[] = {
        {.name = "user off", .end = [](KeepAwakeController& c) { c.MnuActiveClick(); }},
        {.name = "/off",
         .end = [](KeepAwakeController& c) { c.ApplyCommand({.kind = CommandKind::Off}); }},
        {.name = "another choice", .end = [](KeepAwakeController& c) { c.Indefinitely1Click(0); }},
    };
    for (const Row& row : rows) {
        fakes::SessionEndRig local;
        TStaywickOptions options = State(false, 0, false);
        options.EndAction = static_cast<std::int32_t>(EndAction::Sleep);
        KeepAwakeController& controller = local.Start(options);
        controller.ActivateForMinutesClick(10);
        local.keep.clock.Advance(5 * kMinute);
        row.end(controller);
        local.keep.clock.Advance(10 * kMinute);
        EXPECT_TRUE(local.ends.system.calls.empty()) << row.name;
        EXPECT_FALSE(local.ends.view.countdownOpen) << row.name;
    }
}

TEST_F(SessionEndTest, TheDisplayGoesOffAtOnceAndACapEndsWithout) {
    TStaywickOptions options = State(false, 0, false);
    options.EndAction = static_cast<std::int32_t>(EndAction::DisplayOff);
    Create(options);
    rig.controller->ActivateForMinutesClick(10);
    rig.clock.Advance(10 * kMinute);
    EXPECT_FALSE(ends.view.countdownOpen);
    EXPECT_EQ(Calls(), std::vector<std::wstring>{L"display"});

    // Under MaxMinutes 20, "Indefinitely" ends at the cap: no action.
    rig.controller->SetPolicy(fakes::MachinePolicy({{PolicyId::MaxMinutes, 20}}));
    rig.controller->Indefinitely1Click(0);
    rig.clock.Advance(20 * kMinute);
    EXPECT_FALSE(rig.options.Active);
    EXPECT_EQ(Calls().size(), 1u);
}

TEST_F(SessionEndTest, AOneShotThatEndsActsButNotWhenTheUserStopsIt) {
    TStaywickOptions options = State(false, 0, false);
    options.EndAction = static_cast<std::int32_t>(EndAction::Lock);
    Create(options);
    rig.automatic.SetOneShot(L"notepad.exe");
    rig.automatic.SetOneShot(L"");
    EXPECT_TRUE(ends.view.countdownOpen);
    EXPECT_EQ(ends.view.countdownAction, EndAction::Lock);
    ends.ends.Countdown.Cancel();
    // A listed program still runs when the one-shot ends: nothing happens.
    rig.automatic.SetProgram(L"obs64.exe");
    rig.automatic.SetOneShot(L"notepad.exe");
    rig.automatic.SetOneShot(L"");
    EXPECT_FALSE(ends.view.countdownOpen);
}

TEST_F(SessionEndTest, ThenIsRefusedUnderThePolicyAndChangesNothing) {
    Create();
    rig.controller->SetPolicy(fakes::MachinePolicy({{PolicyId::AllowEndAction, 0}}));
    const auto answer = Command({L"/for", L"30", L"/then", L"sleep"});
    EXPECT_EQ(answer.code, kExitUsage);
    EXPECT_EQ(answer.line, kEndActionForbiddenLine);
    EXPECT_FALSE(rig.options.Active);
    // Without "/then" the same command works, and its end does nothing.
    rig.options.EndAction = static_cast<std::int32_t>(EndAction::Sleep);
    EXPECT_EQ(Command({L"/for", L"30"}).code, kExitDone);
    rig.clock.Advance(31 * kMinute + kMinute);
    EXPECT_TRUE(Calls().empty());
    rig.controller->ShowEndActionChoice();
    EXPECT_FALSE(ends.view.choiceEnabled);
}

TEST_F(SessionEndTest, HibernationOnlyWhereTheSystemHasIt) {
    ends.system.hibernation = false;
    TStaywickOptions options = State(false, 0, false);
    options.EndAction = static_cast<std::int32_t>(EndAction::Hibernate);
    Create(options);
    rig.controller->ShowEndActionChoice();
    EXPECT_FALSE(ends.view.hibernateOffered);
    EXPECT_TRUE(ends.view.choiceEnabled);
    rig.controller->ActivateForMinutesClick(5);
    rig.clock.Advance(5 * kMinute + 61 * kSecond);
    EXPECT_TRUE(Calls().empty());
}

TEST(ThenCommand, ParsesAfterForUntilAndWhileOnly) {
    struct Row {
        const char* name;
        std::vector<std::wstring> args;
        CommandLineKind kind;
        std::optional<EndAction> then{};
    };
    const Row rows[] = {
        {.name = "for",
         .args = {L"/for", L"30", L"/then", L"sleep"},
         .kind = CommandLineKind::Command,
         .then = EndAction::Sleep},
        {.name = "until, any case",
         .args = {L"-until", L"7:05", L"-THEN", L"Hibernate"},
         .kind = CommandLineKind::Command,
         .then = EndAction::Hibernate},
        {.name = "while",
         .args = {L"/while", L"notepad.exe", L"/then", L"lock"},
         .kind = CommandLineKind::Command,
         .then = EndAction::Lock},
        {.name = "without then", .args = {L"/for", L"30"}, .kind = CommandLineKind::Command},
        {.name = "unknown word",
         .args = {L"/for", L"30", L"/then", L"reboot"},
         .kind = CommandLineKind::Invalid},
        {.name = "no word", .args = {L"/for", L"30", L"/then"}, .kind = CommandLineKind::Invalid},
        {.name = "after /on",
         .args = {L"/on", L"/then", L"sleep"},
         .kind = CommandLineKind::Invalid},
        {.name = "extend", .args = {L"/extend", L"60"}, .kind = CommandLineKind::Command},
        {.name = "extend 0", .args = {L"/extend", L"0"}, .kind = CommandLineKind::Invalid},
        {.name = "extend 1441", .args = {L"/extend", L"1441"}, .kind = CommandLineKind::Invalid},
    };
    for (const Row& row : rows) {
        const CommandLineParse parse = ParseCommandLineArguments(row.args);
        EXPECT_EQ(parse.kind, row.kind) << row.name;
        if (parse.kind != CommandLineKind::Command)
            continue;
        EXPECT_EQ(parse.command.then, row.then) << row.name;
        // The text it travels in reads back as the same command.
        EXPECT_EQ(ParseCommandText(CommandText(parse.command)), parse.command) << row.name;
    }
    EXPECT_EQ(CommandText({.kind = CommandKind::For, .value = 30, .then = EndAction::ShutDown}),
              L"/for 30 /then shutdown");
}

} // namespace
} // namespace staywick
