#include "app/command_exchange.h"

#include "common/app_names.h"
#include "common/win32/handles.h"

namespace staywick {

namespace {

struct ReplyTarget {
    HWND instance;
    std::wstring line;
};

// The reply is checked as the instance checks a command: any process can
// send to this window while the command is under way.
LRESULT CALLBACK ReplyWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_COPYDATA)
        return ::DefWindowProcW(wnd, msg, wParam, lParam);
    auto* target = reinterpret_cast<ReplyTarget*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!target || !data || reinterpret_cast<HWND>(wParam) != target->instance)
        return FALSE;
    const auto text = TextFromCopyData(data->dwData, kReplyDataTag, data->lpData, data->cbData,
                                       kMaxReplyDataBytes);
    if (!text)
        return FALSE;
    target->line = *text;
    return TRUE;
}

} // namespace

CommandExchange ExchangeCommand(HWND instance, const RemoteCommand& command, DWORD timeoutMs) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &ReplyWindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kCommandReplyClass;
    ::RegisterClassW(&wc);
    ReplyTarget target{instance, {}};
    const win32::WindowHandle reply(::CreateWindowExW(
        0, kCommandReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr));
    if (reply)
        ::SetWindowLongPtrW(reply.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&target));

    std::wstring text = CommandText(command);
    COPYDATASTRUCT data{kCommandDataTag, static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)),
                        text.data()};
    DWORD_PTR answer = 0;
    CommandExchange exchange;
    if (::SendMessageTimeoutW(instance, WM_COPYDATA, reinterpret_cast<WPARAM>(reply.Get()),
                              reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, timeoutMs,
                              &answer)) {
        exchange.code = ExitCodeFromAnswer(static_cast<std::intptr_t>(answer));
    }
    if (exchange.code)
        exchange.line = std::move(target.line);
    return exchange;
}

} // namespace staywick
