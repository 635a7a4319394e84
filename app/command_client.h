#pragma once
// The side of a start with a command: it passes the command to the running
// instance (WM_COPYDATA to its main window, app/instance_window.h), starting
// an instance first when none runs (it gets up to 30 s to show its window),
// and returns the exit code the instance answered, or 69 when no answer came
// within 5 seconds. Under the Disabled policy, from an elevated prompt with
// no instance running, and without the user's desktop it answers by itself
// (engine/command_plan.h). The line, the instance's or its own, goes to the
// console the program was started from.
#include "engine/remote_command.h"

namespace staywick {

int RunCommand(const RemoteCommand& command);

// The line printed for a command the program does not know (exit code 64).
extern const wchar_t kCommandUsage[];

} // namespace staywick
