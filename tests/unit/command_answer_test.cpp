// The instance's answer to a command it does not carry out as asked: under
// the Disabled policy every command is refused and changes nothing; a change
// whose save fails is in force all the same (the answer then says it was not
// saved, app/command_server.cpp).
#include "common/app_error.h"
#include "engine/keep_awake_controller.h"
#include "fakes/fake_policy_store.h"
#include "fakes/keep_awake_rig.h"

#include <gtest/gtest.h>

namespace staywick {
namespace {

using fakes::KeepAwakeRig;
using fakes::State;

TEST(CommandAnswer, UnderTheDisabledPolicyEveryCommandIsRefusedAndNothingSaved) {
    const RemoteCommand commands[] = {
        {CommandKind::On},         {CommandKind::Off},
        {CommandKind::Toggle},     {CommandKind::For, 5},
        {CommandKind::Until, 600}, {CommandKind::Status},
        {CommandKind::Exit},       {CommandKind::While, 0, L"notepad.exe"},
    };
    for (const RemoteCommand& command : commands) {
        SCOPED_TRACE(CommandText(command));
        KeepAwakeRig rig(State(true, 30, false));
        KeepAwakeController& controller = rig.Create();
        controller.SetPolicy(fakes::MachinePolicy({{PolicyId::Disabled, 1}}));
        const TStaywickOptions before = rig.options;
        const KeepAwakeController::CommandAnswer answer = controller.AnswerCommand(command);
        EXPECT_EQ(answer.code, 77);
        EXPECT_EQ(answer.line, L"Staywick is turned off by your organization");
        EXPECT_EQ(rig.options, before);
        EXPECT_TRUE(rig.saved.empty());
    }
}

TEST(CommandAnswer, AChangeWhoseSaveFailsIsInForceAndTheErrorReachesTheCaller) {
    const struct {
        const char* name;
        TStaywickOptions before;
        RemoteCommand command;
        bool active;
        const wchar_t* caption;
    } rows[] = {
        {.name = "on",
         .before = State(false, 0, false),
         .command = {CommandKind::On},
         .active = true,
         .caption = L"&Staywick is active"},
        {.name = "off",
         .before = State(true, 0, false),
         .command = {CommandKind::Off},
         .active = false,
         .caption = L"&Staywick is disabled"},
        {.name = "toggle",
         .before = State(false, 0, false),
         .command = {CommandKind::Toggle},
         .active = true,
         .caption = L"&Staywick is active"},
        {.name = "for",
         .before = State(false, 0, false),
         .command = {CommandKind::For, 30},
         .active = true,
         .caption = L"&Staywick is active (30 minutes)"},
        {.name = "until",
         .before = State(false, 0, false),
         .command = {CommandKind::Until, 17 * 60},
         .active = true,
         .caption = L"&Staywick is active (until 17:00)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        KeepAwakeRig rig(row.before);
        KeepAwakeController& controller = rig.Create();
        controller.UpdateActiveStatus();
        int attempts = 0;
        rig.saveHook = [&] {
            ++attempts;
            throw AppError(L"Unable to write to X:\\Staywick.Settings");
        };
        EXPECT_THROW(controller.AnswerCommand(row.command), AppError);
        EXPECT_EQ(attempts, 1);
        EXPECT_EQ(rig.options.Active, row.active);
        EXPECT_EQ(rig.view.caption, row.caption);
    }
}

} // namespace
} // namespace staywick
