#include "app/command_server.h"

#include "common/app_names.h"
#include "ui/error_report.h"

#include <optional>
#include <string>

namespace staywick {

namespace {
constexpr UINT kReplyTimeoutMs = 1000;

// Only the message-only window of a commanding process gets the line back.
bool IsReplyWindow(HWND wnd) {
    wchar_t name[64] = {};
    return wnd && ::GetClassNameW(wnd, name, 64) > 0 && std::wstring(name) == kCommandReplyClass;
}

void SendReply(HWND self, HWND sender, std::wstring line) {
    line = ReplyLine(std::move(line));
    COPYDATASTRUCT reply{kReplyDataTag, static_cast<DWORD>((line.size() + 1) * sizeof(wchar_t)),
                         line.data()};
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(sender, WM_COPYDATA, reinterpret_cast<WPARAM>(self),
                          reinterpret_cast<LPARAM>(&reply), SMTO_ABORTIFHUNG, kReplyTimeoutMs,
                          &ignored);
}
} // namespace

// The commanding process waits for the answer: an error is answered first and
// its report box opens once the answer has gone.
LRESULT AnswerCommandData(KeepAwakeController& controller, HWND self, HWND sender,
                          const COPYDATASTRUCT* data, const CommandServerHooks& hooks) {
    if (!data)
        return 0;
    const auto text = TextFromCopyData(data->dwData, kCommandDataTag, data->lpData, data->cbData,
                                       kMaxCommandDataBytes);
    const auto command = text ? ParseCommandText(*text) : std::nullopt;
    if (!command)
        return 0;
    if (hooks.beforeCommand)
        RunGuardedLater(hooks.beforeCommand);
    KeepAwakeController::CommandAnswer answer;
    std::optional<std::wstring> error;
    try {
        answer = controller.AnswerCommand(*command);
    } catch (...) {
        error = CurrentExceptionText();
    }
    if (error) {
        // The change is in force; only its save is missing (the controller
        // saves last), as after the same choice in the tray menu.
        answer = {kExitNotSaved, NotSavedLine(controller.StatusLine(), *error)};
        ShowErrorReportLater(*error);
    }
    if (IsReplyWindow(sender))
        SendReply(self, sender, answer.line.empty() ? controller.StatusLine() : answer.line);
    // Refused under the Disabled policy, "/exit" leaves the ending to the policy.
    if (command->kind == CommandKind::Exit && answer.code == kExitDone && hooks.exit)
        hooks.exit();
    return kCommandAnswerBase + answer.code;
}

} // namespace staywick
