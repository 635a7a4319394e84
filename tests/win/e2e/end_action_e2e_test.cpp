// "/extend" and "/then" through the real exe, where the separate process
// matters: the exit code, the line on the console and the settings file.
// Which end acts, the countdown and the extended end's arithmetic are pinned
// natively (EndActionRule, SessionEndTest, ExtendTest) and in-process
// (EndCountdownWindowTest): Wine only stubs sleep, lock and shut-down.
#include "win/common/policy_helpers.h"
#include "win/e2e/commands_e2e.h"

#include <gtest/gtest.h>

namespace staywick::test {
namespace {

class EndActionE2E : public CommandsE2E {
protected:
    void SetUp() override {
        RemovePolicies();
        CommandsE2E::SetUp();
    }
    void TearDown() override {
        CommandsE2E::TearDown();
        RemovePolicies();
    }
};

TEST_F(EndActionE2E, ExtendMovesTheEndOfACountdown) {
    WriteFileBytes(SettingsPath(), "[General]\r\nActive=0\r\nAutoStopped=0\r\n");
    StartInstance();
    const auto [refused, why] = RunFromConsole(L"/extend 60");
    EXPECT_EQ(refused, 64u);
    EXPECT_EQ(why, "Nothing to extend: Staywick is not on for a time with an end\r\n");

    EXPECT_EQ(Run(L"/for 30"), 0u);
    EXPECT_EQ(Run(L"/extend 60"), 0u);
    // 30 + 60 minutes, a length no item has, kept under its own key.
    EXPECT_TRUE(SettingsHold("ActivateForMinutes=90")) << Settings();
    EXPECT_TRUE(SettingsHold("ActivateFor=0")) << Settings();
    EXPECT_EQ(Run(L"/status"), 2u);
    EXPECT_EQ(Run(L"/extend 1441"), 64u);
}

TEST_F(EndActionE2E, ThenIsAcceptedForOneSessionAndRefusedUnderThePolicy) {
    WriteFileBytes(SettingsPath(), "[General]\r\nActive=0\r\nAutoStopped=0\r\n");
    StartInstance();
    EXPECT_EQ(Run(L"/for 30 /then sleep"), 0u);
    EXPECT_EQ(Run(L"/status"), 2u);
    // For that session alone: nothing saved as the user's choice.
    EXPECT_EQ(Settings().find("EndAction"), std::string::npos) << Settings();
    EXPECT_EQ(Run(L"/for 30 /then reboot"), 64u);
    EXPECT_EQ(Run(L"/off"), 0u);

    ASSERT_TRUE(SetPolicy(kMachinePolicyKey, L"AllowEndAction", 0));
    // The running instance reads the policy again when Group Policy says so.
    ::SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Policy"),
                          SMTO_ABORTIFHUNG, 5000, nullptr);
    const auto [code, line] = RunFromConsole(L"/for 30 /then sleep");
    EXPECT_EQ(code, 64u);
    EXPECT_EQ(line, "Ending a session with an action is turned off by your organization\r\n");
    EXPECT_EQ(Run(L"/status"), 0u) << "refused: still off";
}

} // namespace
} // namespace staywick::test
