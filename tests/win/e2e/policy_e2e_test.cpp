// Policies set as an administrator sets them (reg.exe, as `wine reg add` and
// Group Policy write them) and the real Staywick.exe judged from outside: its
// exit code and windows, the session's idle time, the settings file and the
// log. A policy written while the program runs reaches it through the
// WM_SETTINGCHANGE "Policy" broadcast that follows a Group Policy refresh.
#include "win/common/idle_watch.h"
#include "win/common/process_helpers.h"
#include "win/common/tray_driver.h"

#include <gtest/gtest.h>

#include <string>

namespace staywick::test {
namespace {

constexpr wchar_t kMachineKey[] = L"HKLM\\Software\\Policies\\Tessaro\\Staywick";
constexpr wchar_t kUserKey[] = L"HKCU\\Software\\Policies\\Tessaro\\Staywick";

const std::string kOnIndefinitely = "[General]\r\n"
                                    "Active=1\r\n"
                                    "DontLetSleepMoreThen=3\r\n"
                                    "ActivateFor=0\r\n"
                                    "AutoStopped=0\r\n"
                                    "InputKey=0\r\n"
                                    "NotifySystem=1\r\n";

// Runs the system's reg.exe and returns its exit code (nothing on a timeout).
std::optional<DWORD> Reg(const std::wstring& args) {
    const Process reg = Process::Start(L"C:\\windows\\system32\\reg.exe", args);
    return reg.WaitExit(15000);
}

bool SetPolicy(const wchar_t* key, const wchar_t* name, DWORD value) {
    return Reg(L"add " + std::wstring(key) + L" /v " + name + L" /t REG_DWORD /d " +
               std::to_wstring(value) + L" /f") == 0u;
}

void RemovePolicies() {
    Reg(L"delete " + std::wstring(kMachineKey) + L" /f");
    Reg(L"delete " + std::wstring(kUserKey) + L" /f");
}

// What Group Policy sends every top-level window after a refresh.
void BroadcastPolicyChange() {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 1, reinterpret_cast<LPARAM>(L"Policy"),
                          SMTO_ABORTIFHUNG, 5000, &result);
}

class PolicyE2e : public PortableInstallTest {
protected:
    void SetUp() override {
        RemovePolicies();
        PortableInstallTest::SetUp();
    }
    void TearDown() override {
        PortableInstallTest::TearDown();
        RemovePolicies();
    }

    std::wstring LogPath() const { return dir_.File(L"Staywick.log"); }
};

TEST_F(PolicyE2e, DisabledEndsAtOnceWithZeroAndNoWindowAndTheLogSaysWhy) {
    WriteFileBytes(SettingsPath(), kOnIndefinitely);
    ASSERT_TRUE(SetPolicy(kMachineKey, L"Disabled", 1));

    const Process plain = Process::Start(exe_);
    EXPECT_EQ(plain.WaitExit(5000), 0u);
    EXPECT_EQ(::FindWindowW(L"TFrmStaywickMain", nullptr), nullptr);
    EXPECT_EQ(ReadFileBytes(SettingsPath()), kOnIndefinitely);

    const Process logged = Process::Start(exe_, L"/L");
    EXPECT_EQ(logged.WaitExit(5000), 0u);
    EXPECT_EQ(::FindWindowW(L"TFrmStaywickMain", nullptr), nullptr);
    const std::string log = ReadFileBytes(LogPath());
    EXPECT_NE(log.find("MaxSleep: 3\r\nPolicy Disabled = 1 (machine)\r\n"
                       "Staywick is turned off by policy (Disabled = 1) and ends now\r\n"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("Im in the timer"), std::string::npos) << "no tick may run";
}

// With "/D" the reason stays on screen, with no icon and no key pressed,
// until the user closes the debug window; then the program ends with 0.
TEST_F(PolicyE2e, DisabledWithDebugSaysWhyInTheDebugWindowAndEndsWhenItCloses) {
    WriteFileBytes(SettingsPath(), kOnLimitZero);
    ASSERT_TRUE(SetPolicy(kMachineKey, L"Disabled", 1));
    const Process p = Process::Start(exe_, L"/D");
    HWND debug = WaitForProcessWindow(p.Id(), L"MyDebugWnd", L"DebugWnd", 5000);
    ASSERT_NE(debug, nullptr);
    const HWND edit = ::FindWindowExW(debug, nullptr, L"EDIT", nullptr);
    ASSERT_TRUE(WaitUntil(5000, [&] {
        return WindowText(edit).find(L"Staywick is turned off by policy (Disabled = 1) and ends "
                                     L"now") != std::wstring::npos;
    })) << WindowText(edit);
    EXPECT_EQ(WindowText(edit).find(L"Policy Disabled = 1 (machine)\r\n"), 0u) << "first line";
    ASSERT_NE(TrayNotifyWindow(p.Id()), nullptr);
    EXPECT_FALSE(ShellHasTrayIcon(TrayNotifyWindow(p.Id())));
    ASSERT_TRUE(WaitForSteadyIdle());
    EXPECT_FALSE(WatchIdle(7000).fell) << "a key was pressed at a limit of 0";
    EXPECT_TRUE(p.Running());
    ::PostMessageW(debug, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.WaitExit(5000), 0u);
}

TEST_F(PolicyE2e, NoSimulatedInputLetsTheIdleTimeGrowAtALimitOfZero) {
    WriteFileBytes(SettingsPath(), kOnLimitZero);
    ASSERT_TRUE(SetPolicy(kUserKey, L"AllowSimulatedInput", 0));
    const Process p = Process::Start(exe_, L"/L");
    ASSERT_NE(WaitForStartUp(p.Id()), nullptr);
    ASSERT_TRUE(WaitForSteadyIdle());
    const IdleSpan span = WatchIdle(12000);
    EXPECT_FALSE(span.fell) << "a key was pressed";
    EXPECT_GE(span.grew, 11500u);
    const std::string log = ReadFileBytes(LogPath());
    EXPECT_NE(log.find("Policy AllowSimulatedInput = 0 (user)\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("No key pressed: simulated input is not allowed by policy"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("Forced system wake up"), std::string::npos) << log;
}

// "KeepDisplayOn" 0 in the file, or the AllowKeepDisplayOn = 0 policy over
// a file's 1: on (the status says so), and at a limit of 0 no key is ever
// pressed, so the display may turn off and the screen lock.
struct DisplaySleepCase {
    const char* name;
    const char* fileKey;
    bool policy;
};

class DisplaySleepE2e : public PolicyE2e, public ::testing::WithParamInterface<DisplaySleepCase> {};

TEST_P(DisplaySleepE2e, OnWithNoKeyPressedAtALimitOfZero) {
    WriteFileBytes(SettingsPath(), kOnLimitZero + GetParam().fileKey);
    if (GetParam().policy) {
        ASSERT_TRUE(SetPolicy(kUserKey, L"AllowKeepDisplayOn", 0));
    }
    const Process p = Process::Start(exe_, L"/L");
    ASSERT_NE(WaitForStartUp(p.Id()), nullptr);
    EXPECT_EQ(Process::Start(exe_, L"/status").WaitExit(40000), 1u);
    ASSERT_TRUE(WaitForSteadyIdle());
    const IdleSpan span = WatchIdle(12000);
    EXPECT_FALSE(span.fell) << "a key was pressed";
    EXPECT_GE(span.grew, 11500u);
    const std::string log = ReadFileBytes(LogPath());
    EXPECT_NE(log.find("No key pressed: the display may sleep"), std::string::npos) << log;
    EXPECT_EQ(log.find("Forced system wake up"), std::string::npos) << log;
}

INSTANTIATE_TEST_SUITE_P(Modes, DisplaySleepE2e,
                         ::testing::Values(DisplaySleepCase{.name = "FileSaysZero",
                                                            .fileKey = "KeepDisplayOn=0\r\n",
                                                            .policy = false},
                                           DisplaySleepCase{.name = "PolicyOverFileOne",
                                                            .fileKey = "KeepDisplayOn=1\r\n",
                                                            .policy = true}),
                         [](const auto& info) { return std::string(info.param.name); });

// AllowAutomatic = 0: "/while" refuses with the commands' error code and
// keep-awake stays off, though the program it names runs.
TEST_F(PolicyE2e, NoAutomaticKeepAwakeRefusesWhile) {
    WriteFileBytes(SettingsPath(), "[General]\r\nActive=0\r\nDontLetSleepMoreThen=0\r\n"
                                   "ActivateFor=0\r\nAutoStopped=0\r\nInputKey=0\r\n"
                                   "NotifySystem=1\r\n");
    ASSERT_TRUE(SetPolicy(kMachineKey, L"AllowAutomatic", 0));
    const Process p = Process::Start(exe_, L"/L");
    ASSERT_NE(WaitForStartUp(p.Id()), nullptr);
    const Process notepad = Process::Start(L"C:\\windows\\notepad.exe");
    ASSERT_NE(WaitForProcessWindow(notepad.Id(), nullptr, nullptr, 10000), nullptr);
    EXPECT_EQ(Process::Start(exe_, L"/while notepad.exe").WaitExit(40000), 64u);
    EXPECT_EQ(Process::Start(exe_, L"/status").WaitExit(40000), 0u);
    ASSERT_TRUE(WaitForSteadyIdle());
    EXPECT_FALSE(WatchIdle(7000).fell) << "a key was pressed at a limit of 0";

    // The greyed item, reached and chosen by keyboard, opens no dialog.
    ChooseTraySubmenuItem(p.Id(), 2, 2); // up past "&For..."
    for (HWND menu : VisibleMenus(p.Id()))
        ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(WaitForProcessWindow(p.Id(), L"#32770", L"While a program runs", 2000), nullptr);
    EXPECT_TRUE(ProcessWindows(p.Id(), L"#32770", L"Until").empty());
}

TEST_F(PolicyE2e, MaxMinutesOneEndsAnIndefiniteSessionWithinSixtyFiveSeconds) {
    WriteFileBytes(SettingsPath(), kOnIndefinitely);
    ASSERT_TRUE(SetPolicy(kMachineKey, L"MaxMinutes", 1));
    const ULONGLONG started = ::GetTickCount64();
    const Process p = Process::Start(exe_);
    ASSERT_NE(WaitForStartUp(p.Id()), nullptr);
    const auto endedAsACountdown = [&] {
        const std::string file = ReadFileBytes(SettingsPath());
        return file.find("Active=0\r\n") != std::string::npos &&
               file.find("AutoStopped=1\r\n") != std::string::npos;
    };
    const bool ended = WaitUntil(65000, endedAsACountdown);
    const ULONGLONG after = ::GetTickCount64() - started;
    ASSERT_TRUE(ended) << ReadFileBytes(SettingsPath());
    // A countdown of one minute, not an early end.
    EXPECT_GE(after, 59000u);
    EXPECT_TRUE(p.Running());
    // The user's own choice stays "indefinitely".
    EXPECT_NE(ReadFileBytes(SettingsPath()).find("ActivateFor=0\r\n"), std::string::npos);
}

TEST_F(PolicyE2e, APolicySetWhileRunningTakesEffectAfterTheBroadcast) {
    WriteFileBytes(SettingsPath(), kOnLimitZero);
    const Process p = Process::Start(exe_);
    ASSERT_NE(WaitForStartUp(p.Id()), nullptr);
    // Without a policy a key is pressed every 5 s.
    EXPECT_TRUE(WatchIdle(7000).fell);

    ASSERT_TRUE(SetPolicy(kMachineKey, L"AllowSimulatedInput", 0));
    BroadcastPolicyChange();
    ASSERT_TRUE(WaitForSteadyIdle());
    const IdleSpan span = WatchIdle(12000);
    EXPECT_FALSE(span.fell) << "a key was pressed after the policy came";

    ASSERT_TRUE(SetPolicy(kUserKey, L"Disabled", 1));
    BroadcastPolicyChange();
    EXPECT_EQ(p.WaitExit(5000), 0u);
    EXPECT_TRUE(WaitForNoMainWindow(2000));
}

} // namespace
} // namespace staywick::test
