// The real Staywick.exe started with a command, as a script or a scheduled
// task would: it passes the command to the running instance and exits with
// the answer; with no instance it starts one; the settings file and the tray
// tip show what changed; the status line reaches a console it was started from.
#include "win/e2e/commands_e2e.h"
#include "win/common/process_helpers.h"
#include "win/common/tray_driver.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <optional>
#include <string>
#include <thread>
#include <utility>

namespace staywick::test {
namespace {

TEST_F(CommandsE2E, OffStatusAndForThirtyMinutes) {
    WriteFileBytes(SettingsPath(), "[General]\r\nActive=1\r\nAutoStopped=0\r\n");
    StartInstance();

    EXPECT_EQ(Run(L"/off"), 0u);
    EXPECT_TRUE(SettingsHold("Active=0")) << Settings();
    EXPECT_TRUE(instance_.Running());
    EXPECT_EQ(Run(L"/status"), 0u);

    StandInShell shell; // takes the icon's next changes
    ASSERT_NE(shell.Window(), nullptr);
    EXPECT_EQ(Run(L"/for 30"), 0u);
    EXPECT_TRUE(WaitUntil(5000, [&] {
        const auto requests = shell.Requests();
        return !requests.empty() && HoldsText(requests.back(), L"&Staywick is active (30 minutes)");
    })) << "the tip of a 30-minute countdown";
    EXPECT_TRUE(SettingsHold("ActivateFor=30")) << Settings();
    EXPECT_EQ(Run(L"-STATUS"), 2u);
    EXPECT_TRUE(instance_.Running());
}

TEST_F(CommandsE2E, OnTwiceWritesTheFileOnce) {
    WriteFileBytes(SettingsPath(), "[General]\r\nActive=0\r\nAutoStopped=0\r\n");
    StartInstance();
    EXPECT_EQ(Run(L"/on"), 0u);
    ASSERT_TRUE(SettingsHold("Active=1")) << Settings();

    // An old time on the file: a second write would replace it.
    const FILETIME old{0x2AC9E000, 0x01C0A7E4}; // 2001
    {
        HANDLE file =
            ::CreateFileW(SettingsPath().c_str(), FILE_WRITE_ATTRIBUTES,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(::SetFileTime(file, nullptr, nullptr, &old));
        ::CloseHandle(file);
    }
    const std::string before = Settings();
    EXPECT_EQ(Run(L"/on"), 0u);
    WIN32_FILE_ATTRIBUTE_DATA after{};
    ASSERT_TRUE(::GetFileAttributesExW(SettingsPath().c_str(), GetFileExInfoStandard, &after));
    EXPECT_EQ(after.ftLastWriteTime.dwLowDateTime, old.dwLowDateTime) << "written again";
    EXPECT_EQ(after.ftLastWriteTime.dwHighDateTime, old.dwHighDateTime);
    EXPECT_EQ(Settings(), before);
    EXPECT_EQ(Run(L"/status"), 1u);
}

// The end by the real local clock and timer; the rule's edges (a day ahead,
// a clock set back, a passed end) are pinned on the virtual clock natively.
TEST_F(CommandsE2E, UntilTheNextMinuteEndsWithinFiveSecondsOfIt) {
    WriteFileBytes(SettingsPath(), "[General]\r\nActive=0\r\nAutoStopped=0\r\n");
    StartInstance();
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    // The next minute when at least 15 s are left for the command to arrive,
    // else the one after: an end 15 to 75 s on.
    const int minutesOn = now.wSecond <= 45 ? 1 : 2;
    const int target = (now.wHour * 60 + now.wMinute + minutesOn) % 1440;
    wchar_t args[32];
    ::wsprintfW(args, L"/until %02d:%02d", target / 60, target % 60);
    // The end: the local clock at HH:MM:00.
    const ULONGLONG started = ::GetTickCount64();
    const ULONGLONG endMs = started + (minutesOn * 60 - now.wSecond) * 1000ull - now.wMilliseconds;
    ASSERT_EQ(Run(args), 0u);
    EXPECT_TRUE(SettingsHold("ActivateUntil=" + std::to_string(target))) << Settings();
    EXPECT_EQ(Run(L"/status"), 2u);

    ASSERT_TRUE(WaitUntil(90000, [&] { return SettingsHold("Active=0"); }))
        << "keep-awake did not end";
    const ULONGLONG ended = ::GetTickCount64();
    EXPECT_GE(ended + 1000, endMs) << "ended early";
    EXPECT_LE(ended, endMs + 5000) << "ended more than 5 s late";
    EXPECT_TRUE(SettingsHold("AutoStopped=1"));
    EXPECT_EQ(Run(L"/status"), 0u);
}

TEST_F(CommandsE2E, AnUnknownCommandChangesNothing) {
    WriteFileBytes(SettingsPath(), "[General]\r\nActive=1\r\nAutoStopped=0\r\n");
    StartInstance();
    const std::string before = Settings();
    for (const wchar_t* bad : {L"/bogus", L"/for 0", L"/for 1441", L"/until 24:00", L"-on now"})
        EXPECT_EQ(Run(bad), 64u) << bad;
    EXPECT_EQ(Settings(), before);
    EXPECT_TRUE(instance_.Running());
    EXPECT_EQ(Run(L"/status"), 1u);
}

TEST_F(CommandsE2E, AnUnknownCommandStartsNoInstance) {
    EXPECT_EQ(Run(L"/bogus"), 64u);
    EXPECT_EQ(::FindWindowW(L"TFrmStaywickMain", nullptr), nullptr);
    EXPECT_FALSE(FileExists(SettingsPath()));
}

TEST_F(CommandsE2E, ExitEndsTheInstanceWithZero) {
    StartInstance();
    EXPECT_EQ(Run(L"/exit"), 0u);
    const auto code = instance_.WaitExit(5000);
    ASSERT_TRUE(code.has_value()) << "the instance is still running";
    EXPECT_EQ(*code, 0u);
    // Nothing runs now: /exit and /status change nothing and start nothing.
    EXPECT_EQ(Run(L"/exit"), 0u);
    EXPECT_EQ(Run(L"/status"), 0u);
    EXPECT_EQ(::FindWindowW(L"TFrmStaywickMain", nullptr), nullptr);
}

TEST_F(CommandsE2E, OnWithNoInstanceStartsOneActive) {
    WriteFileBytes(SettingsPath(), "[General]\r\nActive=0\r\nAutoStopped=0\r\n");
    ASSERT_EQ(::FindWindowW(L"TFrmStaywickMain", nullptr), nullptr);
    EXPECT_EQ(Run(L"/on"), 0u);
    HWND main = ::FindWindowW(L"TFrmStaywickMain", nullptr);
    ASSERT_NE(main, nullptr) << "no instance started";
    EXPECT_TRUE(SettingsHold("Active=1")) << Settings();
    EXPECT_EQ(Run(L"/status"), 1u);
}

// An instance whose thread handles no messages (here: suspended). Windows
// counts a window hung once its thread has not asked for messages for about
// 5 s, and a command then fails at once (SMTO_ABORTIFHUNG); before that it
// waits its 5 s. Either way it exits 69 and says so; when exactly depends on
// how long the thread has been stopped, so no time is asserted.
TEST_F(CommandsE2E, AnInstanceThatDoesNotAnswerGives69) {
    WriteFileBytes(SettingsPath(), "[General]\r\nActive=0\r\nAutoStopped=0\r\n");
    StartInstance();
    HWND main = WaitForMainWindow(5000);
    ASSERT_NE(main, nullptr);
    const DWORD threadId = ::GetWindowThreadProcessId(main, nullptr);
    HANDLE thread = ::OpenThread(THREAD_SUSPEND_RESUME, FALSE, threadId);
    ASSERT_NE(thread, nullptr);
    ASSERT_NE(::SuspendThread(thread), static_cast<DWORD>(-1));

    const auto [code, line] = RunFromConsole(L"/on");
    EXPECT_EQ(code, 69u);
    EXPECT_EQ(line, "Staywick did not answer\r\n");

    ::ResumeThread(thread);
    ::CloseHandle(thread);
    EXPECT_TRUE(SyncWithWindow(main)) << "the instance does not answer again";
    EXPECT_TRUE(instance_.Running());
}

// A window of the instance's class in a program that is not Staywick: no
// command goes to it and nothing it answers is believed. It answers every
// command "on with an end" and sends a line of its own back.
TEST_F(CommandsE2E, AWindowOfTheClassInAnotherProgramIsNoInstance) {
    HANDLE created = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD threadId = 0;
    std::thread other([&] {
        threadId = ::GetCurrentThreadId();
        WNDCLASSW wc{};
        wc.lpfnWndProc = [](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (msg != WM_COPYDATA)
                return ::DefWindowProcW(wnd, msg, wParam, lParam);
            wchar_t forged[] = L"forged";
            COPYDATASTRUCT data{0x53575231, sizeof(forged), forged};
            ::SendMessageW(reinterpret_cast<HWND>(wParam), WM_COPYDATA,
                           reinterpret_cast<WPARAM>(wnd), reinterpret_cast<LPARAM>(&data));
            return 0x5302;
        };
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TFrmStaywickMain";
        ::RegisterClassW(&wc);
        HWND wnd = ::CreateWindowExW(0, L"TFrmStaywickMain", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                     nullptr, wc.hInstance, nullptr);
        ::SetEvent(created);
        MSG msg{};
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageW(&msg);
        ::DestroyWindow(wnd);
        ::UnregisterClassW(L"TFrmStaywickMain", wc.hInstance);
    });
    ::WaitForSingleObject(created, INFINITE);

    const auto [status, line] = RunFromConsole(L"/status");
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(line, "Staywick is not running\r\n");
    // "/on" starts a real instance beside it and talks to that one.
    WriteFileBytes(SettingsPath(), "[General]\r\nActive=0\r\nAutoStopped=0\r\n");
    EXPECT_EQ(Run(L"/on"), 0u);
    EXPECT_TRUE(SettingsHold("Active=1")) << Settings();
    EXPECT_EQ(Run(L"/status"), 1u);

    ::PostThreadMessageW(threadId, WM_QUIT, 0, 0);
    other.join();
    ::CloseHandle(created);
}

// The status line on the console the program was started from (here cmd's,
// redirected to a file), and nothing without a console.
TEST_F(CommandsE2E, StatusLineOnTheParentConsoleOnly) {
    WriteFileBytes(SettingsPath(), "[General]\r\nActive=1\r\nAutoStopped=0\r\n");
    StartInstance();
    ASSERT_EQ(Run(L"/for 30"), 0u);
    const auto [status, line] = RunFromConsole(L"/status");
    EXPECT_EQ(status, 2u);
    EXPECT_EQ(line.rfind("Staywick is active (30 minutes), ends at ", 0), 0u) << line;
    EXPECT_EQ(line.substr(line.size() - 2), "\r\n");

    // Started with a pipe for its output but no console: nothing printed.
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ASSERT_TRUE(::CreatePipe(&readEnd, &writeEnd, &inherit, 0));
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    PROCESS_INFORMATION pi{};
    STARTUPINFOW piped{};
    piped.cb = sizeof(piped);
    piped.dwFlags = STARTF_USESTDHANDLES;
    piped.hStdOutput = writeEnd;
    piped.hStdError = writeEnd;
    std::wstring direct = L"\"" + exe_ + L"\" /status";
    ASSERT_TRUE(::CreateProcessW(exe_.c_str(), direct.data(), nullptr, nullptr, TRUE,
                                 DETACHED_PROCESS, nullptr, nullptr, &piped, &pi));
    ::CloseHandle(writeEnd);
    ASSERT_EQ(::WaitForSingleObject(pi.hProcess, 15000), WAIT_OBJECT_0);
    DWORD code = 0;
    ::GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 2u);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    char buffer[256];
    DWORD got = 0;
    const BOOL read = ::ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr);
    EXPECT_TRUE(!read || got == 0) << std::string(buffer, got);
    ::CloseHandle(readEnd);
}

// "/while" refused: each refusal prints a line that says why, and exits 64.
TEST_F(CommandsE2E, WhileRefusalsSayWhyOnTheConsole) {
    WriteFileBytes(SettingsPath(), "[General]\r\nActive=0\r\nAutoStopped=0\r\n");
    StartInstance();
    const std::pair<const wchar_t*, const char*> rows[] = {
        {L"/while", "/while needs a process id or a program's file name, such as /while "
                    "notepad.exe\r\n"},
        {L"/while C:\\windows\\notepad.exe",
         "/while takes a process id or a file name without a folder, such as notepad.exe\r\n"},
        {L"/while calc.exe", "No program calc.exe is running\r\n"},
        {L"/while 4294967295", "No process 4294967295 is running\r\n"},
    };
    for (const auto& [args, expected] : rows) {
        const auto [code, line] = RunFromConsole(args);
        EXPECT_EQ(code, 64u) << line;
        EXPECT_EQ(line, expected);
    }
    EXPECT_EQ(Run(L"/status"), 0u); // still off
    EXPECT_TRUE(SettingsHold("Active=0"));
}

// The hotkey from the settings file: pressed, it toggles keep-awake and shows
// the new state in a balloon that respects quiet time.
TEST_F(CommandsE2E, TheHotkeyTogglesAndShowsTheNewState) {
    // Ctrl+Alt+F11 as the hotkey control holds it (HOTKEYF_CONTROL | HOTKEYF_ALT).
    WriteFileBytes(SettingsPath(), "[General]\r\nActive=1\r\nAutoStopped=0\r\nHotkey=1658\r\n");
    StartInstance();
    StandInShell shell;
    ASSERT_NE(shell.Window(), nullptr);
    const auto press = [] {
        INPUT keys[6] = {};
        const WORD order[3] = {VK_CONTROL, VK_MENU, VK_F11};
        for (int i = 0; i < 3; ++i) {
            keys[i].type = keys[5 - i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = keys[5 - i].ki.wVk = order[i];
            keys[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
        }
        ::SendInput(6, keys, sizeof(INPUT));
    };
    press();
    ASSERT_TRUE(WaitUntil(5000, [&] { return SettingsHold("Active=0"); })) << Settings();
    EXPECT_TRUE(WaitUntil(5000, [&] {
        for (const std::string& request : shell.Requests()) {
            if (HoldsText(request, L"Staywick is disabled") && (RequestFlags(request) & NIF_INFO)) {
                return true;
            }
        }
        return false;
    })) << "no balloon with the new state";
    press();
    EXPECT_TRUE(WaitUntil(5000, [&] { return SettingsHold("Active=1"); })) << Settings();
}

// A hotkey another program holds is reported once at start-up, and the
// program runs on without it.
TEST_F(CommandsE2E, AHotkeyHeldElsewhereIsReportedAtStartUp) {
    HWND holder = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                    nullptr, nullptr);
    ASSERT_TRUE(::RegisterHotKey(holder, 7, MOD_CONTROL | MOD_ALT, VK_F11));
    WriteFileBytes(SettingsPath(), "[General]\r\nActive=1\r\nAutoStopped=0\r\nHotkey=1658\r\n");
    StandInShell shell;
    ASSERT_NE(shell.Window(), nullptr);
    StartInstance();
    const auto reports = [&] {
        int n = 0;
        for (const std::string& request : shell.Requests()) {
            if (HoldsText(request, L"The hotkey is taken") && (RequestFlags(request) & NIF_INFO))
                ++n;
        }
        return n;
    };
    EXPECT_TRUE(WaitUntil(5000, [&] { return reports() > 0; }));
    EXPECT_TRUE(instance_.Running());
    EXPECT_EQ(Run(L"/status"), 1u);
    // The answer came after start-up and the command's own handling; the
    // shell's requests are sent, so every report made so far is recorded.
    ASSERT_TRUE(SyncWithWindow(WaitForMainWindow(1000)));
    EXPECT_EQ(reports(), 1);
    EXPECT_TRUE(SettingsHold("Hotkey=1658")) << "the choice is kept for the next start";
    ::UnregisterHotKey(holder, 7);
    ::DestroyWindow(holder);
}

} // namespace
} // namespace staywick::test
