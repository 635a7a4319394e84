#include "app/command_server.h"

#include "common/app_names.h"
#include "ui/error_report.h"

#include <string>

namespace staywick {

namespace {
constexpr UINT kReplyTimeoutMs = 1000;

// Only the message-only window of a commanding process gets the line back.
bool IsReplyWindow(HWND wnd) {
    wchar_t name[64] = {};
    return wnd && ::GetClassNameW(wnd, name, 64) > 0 && std::wstring(name) == kCommandReplyClass;
}
} // namespace

LRESULT AnswerCommandData(KeepAwakeController& controller, HWND self, HWND sender,
                          const COPYDATASTRUCT* data, const CommandServerHooks& hooks) {
    if (!data)
        return 0;
    const auto text = TextFromCopyData(data->dwData, kCommandDataTag, data->lpData, data->cbData);
    const auto command = text ? ParseCommandText(*text) : std::nullopt;
    if (!command)
        return 0;
    if (hooks.beforeCommand)
        RunGuarded(hooks.beforeCommand);
    KeepAwakeController::CommandAnswer answer;
    RunGuarded([&] { answer = controller.AnswerCommand(*command); });
    const int code = answer.code;
    if (IsReplyWindow(sender)) {
        std::wstring line = answer.line.empty() ? controller.StatusLine() : answer.line;
        COPYDATASTRUCT reply{kReplyDataTag, static_cast<DWORD>((line.size() + 1) * sizeof(wchar_t)),
                             line.data()};
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(sender, WM_COPYDATA, reinterpret_cast<WPARAM>(self),
                              reinterpret_cast<LPARAM>(&reply), SMTO_ABORTIFHUNG, kReplyTimeoutMs,
                              &ignored);
    }
    if (command->kind == CommandKind::Exit && hooks.exit)
        hooks.exit();
    return kCommandAnswerBase + code;
}

} // namespace staywick
