#include "app/command_client.h"

#include "app/console_line.h"
#include "common/app_names.h"
#include "common/win32/file_version.h"
#include "common/win32/handles.h"

#include <windows.h>

#include <string>

namespace staywick {

const wchar_t kCommandUsage[] =
    L"Usage: Staywick [/on | /off | /toggle | /for <1-1440 minutes> | /until <HH:MM> | "
    L"/while <process id or file name> | /status | /exit]";

namespace {

constexpr ULONGLONG kAnswerWaitMs = 5000;
// An instance that is starting (one this process started, or one whose start
// is under way) gets this long to show its window before the 5 s for the
// answer begin: a start after sign-in or under load can take several seconds.
constexpr ULONGLONG kStartUpWaitMs = 30000;
constexpr DWORD kWindowPollMs = 50;
constexpr wchar_t kNotRunning[] = L"Staywick is not running";

// The status line the instance sends back before it answers.
LRESULT CALLBACK ReplyWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        auto* line = reinterpret_cast<std::wstring*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
        if (const auto text =
                TextFromCopyData(data->dwData, kReplyDataTag, data->lpData, data->cbData)) {
            *line = *text;
            return TRUE;
        }
        return FALSE;
    }
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

DWORD Remaining(ULONGLONG deadline) {
    const ULONGLONG now = ::GetTickCount64();
    return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

// Starts the program again without arguments: it becomes the instance.
bool StartInstance(ULONGLONG deadline) {
    std::wstring commandLine = L"\"" + ExecutablePath() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return false;
    }
    const win32::KernelHandle processHandle(process.hProcess);
    const win32::KernelHandle thread(process.hThread);
    // Ready once its message loop first waits: its window exists then.
    ::WaitForInputIdle(process.hProcess, Remaining(deadline));
    return true;
}

// The running instance's main window, waiting for one that is starting.
HWND FindInstance(ULONGLONG deadline) {
    for (;;) {
        if (HWND wnd = ::FindWindowW(kMainWindowClass, nullptr))
            return wnd;
        if (Remaining(deadline) == 0)
            return nullptr;
        ::Sleep(kWindowPollMs);
    }
}

bool InstanceStarting() {
    const win32::KernelHandle mutex(::OpenMutexW(SYNCHRONIZE, FALSE, kMutexName));
    return static_cast<bool>(mutex);
}

void WaitForEnd(HWND instance, ULONGLONG deadline) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(instance, &processId);
    const win32::KernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (process)
        ::WaitForSingleObject(process.Get(), Remaining(deadline));
}

} // namespace

int RunCommand(const RemoteCommand& command) {
    HWND instance = ::FindWindowW(kMainWindowClass, nullptr);
    if (!instance) {
        const ULONGLONG startUpDeadline = ::GetTickCount64() + kStartUpWaitMs;
        if (!InstanceStarting()) {
            // Nothing to ask or to end: no instance keeps the computer awake.
            if (command.kind == CommandKind::Status || command.kind == CommandKind::Exit) {
                WriteConsoleLine(kNotRunning);
                return command.kind == CommandKind::Status ? kStatusOff : kExitDone;
            }
            StartInstance(startUpDeadline);
        }
        instance = FindInstance(startUpDeadline);
    }
    if (!instance)
        return kExitUnavailable;
    const ULONGLONG deadline = ::GetTickCount64() + kAnswerWaitMs;

    WNDCLASSW wc{};
    wc.lpfnWndProc = &ReplyWindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kCommandReplyClass;
    ::RegisterClassW(&wc);
    std::wstring line;
    const win32::WindowHandle reply(::CreateWindowExW(
        0, kCommandReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr));
    if (reply)
        ::SetWindowLongPtrW(reply.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&line));

    std::wstring text = CommandText(command);
    COPYDATASTRUCT data{kCommandDataTag, static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)),
                        text.data()};
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(instance, WM_COPYDATA, reinterpret_cast<WPARAM>(reply.Get()),
                               reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                               Remaining(deadline), &answer)) {
        return kExitUnavailable;
    }
    const auto code = ExitCodeFromAnswer(static_cast<std::intptr_t>(answer));
    if (!code)
        return kExitUnavailable;
    if (command.kind == CommandKind::Exit)
        WaitForEnd(instance, deadline);
    if (!line.empty())
        WriteConsoleLine(line);
    return *code;
}

} // namespace staywick
