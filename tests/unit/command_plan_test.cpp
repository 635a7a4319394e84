// What a commanding process does before it passes a command on: refuse under
// the Disabled policy, from an elevated prompt with no instance, and without
// the user's desktop; answer "/status" and "/exit" itself when nothing runs;
// otherwise send, wait for a starting instance, or start one.
#include "engine/command_plan.h"

#include <gtest/gtest.h>

namespace staywick {
namespace {

constexpr CallerFacts kNormal{.elevated = false, .interactiveDesktop = true};
constexpr CallerFacts kElevated{.elevated = true, .interactiveDesktop = true};
constexpr CallerFacts kNoDesktop{.elevated = false, .interactiveDesktop = false};
constexpr CallerFacts kElevatedNoDesktop{.elevated = true, .interactiveDesktop = false};

const CommandPlan kSend{CommandRoute::Send};
const CommandPlan kWait{CommandRoute::WaitForInstance};
const CommandPlan kStart{CommandRoute::StartInstance};
const CommandPlan kTurnedOff{CommandRoute::Answer, 77,
                             L"Staywick is turned off by your organization"};
const CommandPlan kNotRunning{CommandRoute::Answer, 0, L"Staywick is not running"};
const CommandPlan kRefusedNoDesktop{CommandRoute::Answer, 75,
                                    L"Staywick cannot be reached or started from here: this "
                                    L"command does not run on the user's desktop"};
const CommandPlan kRefusedElevated{
    CommandRoute::Answer, 78,
    L"Staywick is not running and is not started from an elevated prompt: start it first, or "
    L"run the command from a prompt that is not elevated"};

struct PlanRow {
    const char* name;
    CommandKind kind;
    CommandSituation situation;
    CommandPlan plan;
};

TEST(CommandPlan, EverySituation) {
    const PlanRow rows[] = {
        {.name = "an instance runs",
         .kind = CommandKind::On,
         .situation = {.instanceFound = true, .caller = kNormal},
         .plan = kSend},
        {.name = "an instance runs, asked from an elevated prompt",
         .kind = CommandKind::Off,
         .situation = {.instanceFound = true, .caller = kElevated},
         .plan = kSend},
        {.name = "nothing runs: start one",
         .kind = CommandKind::On,
         .situation = {.caller = kNormal},
         .plan = kStart},
        {.name = "nothing runs, /for",
         .kind = CommandKind::For,
         .situation = {.caller = kNormal},
         .plan = kStart},
        {.name = "one is starting: wait, start no second",
         .kind = CommandKind::On,
         .situation = {.instanceStarting = true, .caller = kNormal},
         .plan = kWait},
        {.name = "one is starting, asked elevated: waiting starts nothing",
         .kind = CommandKind::Toggle,
         .situation = {.instanceStarting = true, .caller = kElevated},
         .plan = kWait},
        {.name = "status with nothing running",
         .kind = CommandKind::Status,
         .situation = {.caller = kNormal},
         .plan = kNotRunning},
        {.name = "exit with nothing running",
         .kind = CommandKind::Exit,
         .situation = {.caller = kNormal},
         .plan = kNotRunning},
        {.name = "status from an elevated prompt with nothing running",
         .kind = CommandKind::Status,
         .situation = {.caller = kElevated},
         .plan = kNotRunning},
        {.name = "elevated, nothing runs: no elevated instance",
         .kind = CommandKind::On,
         .situation = {.caller = kElevated},
         .plan = kRefusedElevated},
        {.name = "elevated /while, nothing runs",
         .kind = CommandKind::While,
         .situation = {.caller = kElevated},
         .plan = kRefusedElevated},
        {.name = "no desktop: start nothing",
         .kind = CommandKind::On,
         .situation = {.caller = kNoDesktop},
         .plan = kRefusedNoDesktop},
        {.name = "no desktop: not running could be untrue",
         .kind = CommandKind::Status,
         .situation = {.caller = kNoDesktop},
         .plan = kRefusedNoDesktop},
        {.name = "no desktop, elevated too",
         .kind = CommandKind::On,
         .situation = {.caller = kElevatedNoDesktop},
         .plan = kRefusedNoDesktop},
        {.name = "no desktop, a starting instance is not waited for",
         .kind = CommandKind::On,
         .situation = {.instanceStarting = true, .caller = kNoDesktop},
         .plan = kRefusedNoDesktop},
        {.name = "Disabled, nothing runs",
         .kind = CommandKind::On,
         .situation = {.disabledByPolicy = true, .caller = kNormal},
         .plan = kTurnedOff},
        {.name = "Disabled, an instance runs that has not read it yet",
         .kind = CommandKind::On,
         .situation = {.disabledByPolicy = true, .instanceFound = true, .caller = kNormal},
         .plan = kTurnedOff},
        {.name = "Disabled, status",
         .kind = CommandKind::Status,
         .situation = {.disabledByPolicy = true, .caller = kNormal},
         .plan = kTurnedOff},
        {.name = "Disabled, elevated and without a desktop",
         .kind = CommandKind::On,
         .situation = {.disabledByPolicy = true, .caller = kElevatedNoDesktop},
         .plan = kTurnedOff},
    };
    for (const PlanRow& row : rows) {
        const CommandPlan plan = PlanCommand(row.kind, row.situation);
        EXPECT_EQ(plan.route, row.plan.route) << row.name;
        EXPECT_EQ(plan.exitCode, row.plan.exitCode) << row.name;
        EXPECT_EQ(plan.line, row.plan.line) << row.name;
    }
}

} // namespace
} // namespace staywick
