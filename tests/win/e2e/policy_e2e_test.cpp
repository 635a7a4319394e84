// Policies set as an administrator sets them (reg.exe, as `wine reg add` and
// Group Policy write them) and the real Staywick.exe judged from outside: its
// exit code and windows, the session's idle time, the settings file and the
// log. A policy written while the program runs reaches it through the
// WM_SETTINGCHANGE "Policy" broadcast that follows a Group Policy refresh.
#include "win/common/idle_watch.h"
#include "win/common/policy_helpers.h"
#include "win/common/process_helpers.h"
#include "win/common/settings_text.h"
#include "win/common/tray_driver.h"

#include <gtest/gtest.h>

#include <string>

namespace staywick::test {
namespace {

const std::string kOnIndefinitely = SettingsFileText{.active = "1"}.Text();

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
    // How many times the log holds this line.
    std::size_t LogCount(const std::string& line) const {
        const std::string log = ReadFileBytes(LogPath());
        std::size_t n = 0;
        for (std::size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1))
            ++n;
        return n;
    }
};

const std::string kNoPress = "No key pressed: simulated input is not allowed by policy\r\n";

TEST_F(PolicyE2e, DisabledEndsAtOnceWithZeroAndNoWindowAndTheLogSaysWhy) {
    WriteFileBytes(SettingsPath(), kOnIndefinitely);
    ASSERT_TRUE(SetPolicy(kMachinePolicyKey, L"Disabled", 1));

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
    ASSERT_TRUE(SetPolicy(kMachinePolicyKey, L"Disabled", 1));
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
    ASSERT_TRUE(SetPolicy(kUserPolicyKey, L"AllowSimulatedInput", 0));
    const Process p = Process::Start(exe_, L"/L");
    ASSERT_NE(WaitForStartUp(p.Id()), nullptr);
    ASSERT_TRUE(WaitForSteadyIdle());
    // Until the next tick has said it pressed nothing, the idle time grows.
    // (Tick after tick without a key is pinned on the virtual clock:
    // ControllerPolicy.NoSimulatedInputPressesNoKeyAndHoldsTheAwakeRequest.)
    const std::size_t before = LogCount(kNoPress);
    ASSERT_GE(before, 1u) << "the start-up tick says it too";
    DWORD last = SystemIdle();
    bool fell = false;
    ASSERT_TRUE(WaitUntil(12000, [&] {
        const DWORD now = SystemIdle();
        fell = fell || now < last;
        last = now;
        return LogCount(kNoPress) > before;
    })) << ReadFileBytes(LogPath());
    EXPECT_FALSE(fell) << "a key was pressed";
    const std::string log = ReadFileBytes(LogPath());
    EXPECT_NE(log.find("Policy AllowSimulatedInput = 0 (user)\r\n"), std::string::npos) << log;
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
        ASSERT_TRUE(SetPolicy(kUserPolicyKey, L"AllowKeepDisplayOn", 0));
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
    WriteFileBytes(SettingsPath(), SettingsFileText{.sleepMax = "0"}.Text());
    ASSERT_TRUE(SetPolicy(kMachinePolicyKey, L"AllowAutomatic", 0));
    const Process p = Process::Start(exe_, L"/L");
    ASSERT_NE(WaitForStartUp(p.Id()), nullptr);
    const Process notepad = Process::Start(L"C:\\windows\\notepad.exe");
    ASSERT_NE(WaitForProcessWindow(notepad.Id(), nullptr, nullptr, 10000), nullptr);
    EXPECT_EQ(Process::Start(exe_, L"/while notepad.exe").WaitExit(40000), 64u);
    EXPECT_EQ(Process::Start(exe_, L"/status").WaitExit(40000), 0u);
    ASSERT_TRUE(WaitForSteadyIdle());
    EXPECT_FALSE(WatchIdle(7000).fell) << "a key was pressed at a limit of 0";

    // The greyed item, reached and chosen by keyboard (up past "&When it
    // ends" and "&For..."), opens no dialog: the menu opened, took the keys
    // and closed.
    ASSERT_TRUE(ChooseTraySubmenuItem(p.Id(), 2, 3)) << "no menu opened, or it stayed open";
    EXPECT_EQ(WaitForProcessWindow(p.Id(), L"#32770", L"While a program runs", 2000), nullptr);
    EXPECT_TRUE(ProcessWindows(p.Id(), L"#32770", L"Until").empty());
}

// The policy read from the registry makes the user's indefinite session a
// countdown at once; its one-minute end, the saved state and the kept choice
// are pinned on the virtual clock (ControllerPolicy.ACapAtStartEnds...), and
// a countdown's end in the real file by CommandsE2E.UntilTheNextMinute...
TEST_F(PolicyE2e, MaxMinutesOneMakesAnIndefiniteSessionACountdown) {
    WriteFileBytes(SettingsPath(), kOnIndefinitely);
    ASSERT_TRUE(SetPolicy(kMachinePolicyKey, L"MaxMinutes", 1));
    const Process p = Process::Start(exe_, L"/L");
    ASSERT_NE(WaitForStartUp(p.Id()), nullptr);
    EXPECT_EQ(Process::Start(exe_, L"/status").WaitExit(40000), 2u) << "on, with an end";
    EXPECT_NE(ReadFileBytes(LogPath()).find("Policy MaxMinutes = 1 (machine)\r\n"),
              std::string::npos)
        << ReadFileBytes(LogPath());
    EXPECT_TRUE(p.Running());
    // The user's own choice stays "indefinitely".
    const std::string file = ReadFileBytes(SettingsPath());
    EXPECT_NE(file.find("Active=1\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("ActivateFor=0\r\n"), std::string::npos) << file;
}

TEST_F(PolicyE2e, APolicySetWhileRunningTakesEffectAfterTheBroadcast) {
    WriteFileBytes(SettingsPath(), kOnLimitZero);
    const Process p = Process::Start(exe_, L"/L");
    ASSERT_NE(WaitForStartUp(p.Id()), nullptr);
    // Without a policy a key is pressed at every tick.
    ASSERT_TRUE(WaitUntil(7000, [&] { return ForcedWakesLogged(LogPath()) >= 1; }))
        << ReadFileBytes(LogPath());

    ASSERT_TRUE(SetPolicy(kMachinePolicyKey, L"AllowSimulatedInput", 0));
    BroadcastPolicyChange();
    ASSERT_TRUE(WaitUntil(5000, [&] {
        return ReadFileBytes(LogPath()).find(
                   "Policies changed\r\nPolicy AllowSimulatedInput = 0 (machine)\r\n") !=
               std::string::npos;
    })) << ReadFileBytes(LogPath());
    // The next tick presses nothing and says why. (Every later one too, on
    // the virtual clock: ControllerPolicy.NoSimulatedInputArrivingWhileRunning...)
    const std::size_t wakes = ForcedWakesLogged(LogPath());
    const std::size_t noPress = LogCount(kNoPress);
    ASSERT_TRUE(WaitUntil(12000, [&] { return LogCount(kNoPress) > noPress; }))
        << ReadFileBytes(LogPath());
    EXPECT_EQ(ForcedWakesLogged(LogPath()), wakes) << "a key was pressed after the policy came";

    ASSERT_TRUE(SetPolicy(kUserPolicyKey, L"Disabled", 1));
    BroadcastPolicyChange();
    EXPECT_EQ(p.WaitExit(5000), 0u);
    EXPECT_TRUE(WaitForNoMainWindow(2000));
}

} // namespace
} // namespace staywick::test
