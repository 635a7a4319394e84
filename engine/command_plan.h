#pragma once
// What the commanding process does before it passes a command on: send it to
// the running instance, wait for an instance that is starting, start one, or
// answer by itself, with an exit code and a line, and start nothing.
#include "engine/remote_command.h"
#include "platform/caller_facts.h"

#include <string>

namespace staywick {

// The facts, read before anything is sent or started.
struct CommandSituation {
    // The Disabled policy is in force (read from the registry, not from the
    // instance, which may not have read it yet).
    bool disabledByPolicy = false;
    // A main window of a Staywick program runs in this session.
    bool instanceFound = false;
    // The single-instance mutex exists: an instance is starting.
    bool instanceStarting = false;
    CallerFacts caller{};
};

enum class CommandRoute {
    Send,            // to the instance found
    WaitForInstance, // until the starting instance shows its window
    StartInstance,   // start one, then as WaitForInstance
    Answer,          // exit with exitCode, printing line
};

struct CommandPlan {
    CommandRoute route = CommandRoute::Answer;
    int exitCode = kExitDone;
    std::wstring line{};

    friend bool operator==(const CommandPlan&, const CommandPlan&) = default;
};

CommandPlan PlanCommand(CommandKind kind, const CommandSituation& situation);

inline constexpr wchar_t kNotRunningLine[] = L"Staywick is not running";
inline constexpr wchar_t kNoDesktopLine[] =
    L"Staywick cannot be reached or started from here: this command does not run on the "
    L"user's desktop";
inline constexpr wchar_t kElevatedLine[] =
    L"Staywick is not running and is not started from an elevated prompt: start it first, or "
    L"run the command from a prompt that is not elevated";
inline constexpr wchar_t kNoAnswerLine[] = L"Staywick did not answer";

} // namespace staywick
