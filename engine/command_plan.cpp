#include "engine/command_plan.h"

namespace staywick {

namespace {
CommandPlan Answer(int exitCode, const wchar_t* line) {
    return {CommandRoute::Answer, exitCode, line};
}
} // namespace

CommandPlan PlanCommand(CommandKind kind, const CommandSituation& situation) {
    if (situation.disabledByPolicy)
        return Answer(kExitDisabled, kTurnedOffByPolicyLine);
    if (situation.instanceFound)
        return {CommandRoute::Send};
    // Windows of the user's desktop cannot be seen from another window
    // station: "not running" could be untrue, and an instance started here
    // would hold the awake request unseen, beside the user's own.
    if (!situation.caller.interactiveDesktop)
        return Answer(kExitNoDesktop, kNoDesktopLine);
    if (situation.instanceStarting)
        return {CommandRoute::WaitForInstance};
    // Nothing to ask or to end: no instance keeps the computer awake.
    if (kind == CommandKind::Status)
        return Answer(kStatusOff, kNotRunningLine);
    if (kind == CommandKind::Exit)
        return Answer(kExitDone, kNotRunningLine);
    // An elevated instance would take later commands from a normal prompt
    // for an instance that does not answer: Windows keeps a process of lower
    // integrity from sending to it.
    if (situation.caller.elevated)
        return Answer(kExitElevated, kElevatedLine);
    return {CommandRoute::StartInstance};
}

} // namespace staywick
