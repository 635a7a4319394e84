#pragma once
// One command passed to the running instance's main window (WM_COPYDATA) and
// its answer. The instance's line comes back to a message-only reply window
// while the command is under way; only a reply from the window the command
// went to, with well-formed data, is read.
#include "engine/remote_command.h"

#include <windows.h>

#include <optional>
#include <string>

namespace staywick {

struct CommandExchange {
    // The exit code the instance answered; nothing when no answer came in
    // time, or the window did not answer as an instance does.
    std::optional<int> code;
    // The instance's line; empty when it sent none.
    std::wstring line;
};

// A window that Windows counts as hung (its thread has not asked for
// messages for about 5 s) fails at once, not after `timeoutMs`: a hung
// instance is answered promptly as one that did not answer.
CommandExchange ExchangeCommand(HWND instance, const RemoteCommand& command, DWORD timeoutMs);

} // namespace staywick
