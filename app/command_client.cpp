#include "app/command_client.h"

#include "app/command_exchange.h"
#include "app/console_line.h"
#include "app/instance_window.h"
#include "common/app_names.h"
#include "common/win32/file_version.h"
#include "common/win32/handles.h"
#include "engine/command_plan.h"
#include "engine/policy.h"
#include "platform/win32/caller_facts_win32.h"
#include "platform/win32/policy_store_win32.h"

#include <windows.h>

#include <string>

namespace staywick {

const wchar_t kCommandUsage[] =
    L"Usage: Staywick [/on | /off | /toggle | /for <1-1440 minutes> | /until <HH:MM> | "
    L"/while <process id or file name> | /status | /exit | /extend <1-1440 minutes>]; /for, "
    L"/until and /while may end in /then display|lock|sleep|hibernate|shutdown";

namespace {

constexpr DWORD kAnswerWaitMs = 5000;
// An instance that is starting (one this process started, or one whose start
// is under way) gets this long to show its window before the 5 s for the
// answer begin: a start after sign-in or under load can take several seconds.
constexpr ULONGLONG kStartUpWaitMs = 30000;
constexpr DWORD kWindowPollMs = 50;

DWORD Remaining(ULONGLONG deadline) {
    const ULONGLONG now = ::GetTickCount64();
    return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

bool DisabledByPolicy() {
    PolicyStoreWin32 store;
    return StaywickPolicy::Read(store).Disabled();
}

bool InstanceStarting() {
    const win32::KernelHandle mutex(::OpenMutexW(SYNCHRONIZE, FALSE, kMutexName));
    return static_cast<bool>(mutex);
}

// Starts the program again without arguments: it becomes the instance.
win32::KernelHandle StartInstance(ULONGLONG deadline) {
    std::wstring commandLine = L"\"" + ExecutablePath() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return {};
    }
    win32::KernelHandle processHandle(process.hProcess);
    const win32::KernelHandle thread(process.hThread);
    // Ready once its message loop first waits: its window exists then.
    ::WaitForInputIdle(process.hProcess, Remaining(deadline));
    return processHandle;
}

// The instance's main window, waiting for one that is starting. The wait
// ends early once the process this one started has ended and no other
// instance is starting (the Disabled policy ends it at once).
HWND WaitForInstance(ULONGLONG deadline, const win32::KernelHandle& started) {
    for (;;) {
        if (HWND wnd = FindInstanceWindow())
            return wnd;
        if (Remaining(deadline) == 0)
            return nullptr;
        if (started && ::WaitForSingleObject(started.Get(), 0) == WAIT_OBJECT_0 &&
            !InstanceStarting()) {
            return nullptr;
        }
        ::Sleep(kWindowPollMs);
    }
}

void WaitForEnd(HWND instance, ULONGLONG deadline) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(instance, &processId);
    const win32::KernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (process)
        ::WaitForSingleObject(process.Get(), Remaining(deadline));
}

int Finish(int exitCode, const std::wstring& line) {
    if (!line.empty())
        WriteConsoleLine(line);
    return exitCode;
}

int NoAnswer() {
    // The policy may have arrived since the command began.
    if (DisabledByPolicy())
        return Finish(kExitDisabled, kTurnedOffByPolicyLine);
    return Finish(kExitUnavailable, kNoAnswerLine);
}

} // namespace

int RunCommand(const RemoteCommand& command) {
    HWND instance = FindInstanceWindow();
    const CommandPlan plan = PlanCommand(command.kind, {.disabledByPolicy = DisabledByPolicy(),
                                                        .instanceFound = instance != nullptr,
                                                        .instanceStarting = InstanceStarting(),
                                                        .caller = ReadCallerFacts()});
    if (plan.route == CommandRoute::Answer)
        return Finish(plan.exitCode, plan.line);
    if (!instance) {
        const ULONGLONG startUpDeadline = ::GetTickCount64() + kStartUpWaitMs;
        win32::KernelHandle started;
        if (plan.route == CommandRoute::StartInstance)
            started = StartInstance(startUpDeadline);
        instance = WaitForInstance(startUpDeadline, started);
    }
    if (!instance)
        return NoAnswer();
    const ULONGLONG deadline = ::GetTickCount64() + kAnswerWaitMs;
    CommandExchange exchange = ExchangeCommand(instance, command, kAnswerWaitMs);
    if (!exchange.code)
        return NoAnswer();
    if (command.kind == CommandKind::Exit)
        WaitForEnd(instance, deadline);
    return Finish(*exchange.code, exchange.line);
}

} // namespace staywick
