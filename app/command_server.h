#pragma once
// The running instance's side of a command: WM_COPYDATA from another process
// is untrusted, so anything but a well-formed command text is answered 0 and
// changes nothing. A command is carried out by the controller; the status
// line goes back to the sender's reply window (when it is one), and the
// answer is kCommandAnswerBase plus the exit code. An error while the command
// runs is answered kExitNotSaved, and its report box opens once the answer
// has gone (never inside this handler, which the sender waits on).
#include "engine/keep_awake_controller.h"

#include <windows.h>

#include <functional>

namespace staywick {

struct CommandServerHooks {
    // Runs before a command: start-up, should the command come first.
    std::function<void()> beforeCommand;
    // Runs "/exit" once the answer is decided.
    std::function<void()> exit;
};

LRESULT AnswerCommandData(KeepAwakeController& controller, HWND self, HWND sender,
                          const COPYDATASTRUCT* data, const CommandServerHooks& hooks);

} // namespace staywick
