// Commands that cannot be carried out as asked, answered honestly and in
// time: a change the settings file refuses (74, then the error box), and any
// command under the Disabled policy (77, nothing started or saved).
#include "win/common/policy_helpers.h"
#include "win/common/process_helpers.h"
#include "win/common/refused_file.h"
#include "win/e2e/commands_e2e.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace staywick::test {
namespace {

class CommandAnswersE2E : public CommandsE2E {
protected:
    void TearDown() override {
        CommandsE2E::TearDown();
        refused_.reset(); // writable again before the folder goes
    }
    std::optional<RefusedFile> refused_;
};

// Answered at once with 74, the change in force; the box comes after the
// answer and the instance goes on answering while it is open.
TEST_F(CommandAnswersE2E, AChangeTheFileRefusesIsAnswered74ThenReported) {
    WriteFileBytes(SettingsPath(), "[General]\r\nActive=0\r\nAutoStopped=0\r\n");
    StartInstance();
    const std::string before = Settings();
    refused_.emplace(SettingsPath());
    RecordProperty("refusal", refused_->How());
    ASSERT_TRUE(refused_->Refuses()) << refused_->How();

    const auto [code, line] = RunFromConsole(L"/on");
    EXPECT_EQ(code, 74u);
    const std::wstring settingsPath = SettingsPath();
    const std::string path(settingsPath.begin(), settingsPath.end()); // ASCII: a temporary folder
    EXPECT_EQ(line, "Staywick is active. The settings could not be saved: Unable to write to " +
                        path + "\r\n");

    const auto box = WaitForMessageBox(L"Staywick", 10000);
    ASSERT_TRUE(box.has_value()) << "no error box after the answer";
    EXPECT_EQ(box->text, L"Unable to write to " + SettingsPath() + L".");
    EXPECT_EQ(Run(L"/status"), 1u) << "on in memory, and answering with the box open";
    ::PostMessageW(box->box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil(5000, [&] { return !::IsWindow(box->box); }));
    EXPECT_EQ(Settings(), before);
}

// With no instance running: no instance is started to end at once, and the
// command does not wait for one.
TEST_F(CommandAnswersE2E, UnderTheDisabledPolicyOnExits77AndStartsNothing) {
    const NoPoliciesAfterward noPolicies;
    const std::string settings = "[General]\r\nActive=0\r\nAutoStopped=0\r\n";
    WriteFileBytes(SettingsPath(), settings);
    ASSERT_TRUE(SetPolicy(kMachinePolicyKey, L"Disabled", 1));

    const auto [code, line] = RunFromConsole(L"/on");
    EXPECT_EQ(code, 77u);
    EXPECT_EQ(line, "Staywick is turned off by your organization\r\n");
    EXPECT_EQ(::FindWindowW(L"TFrmStaywickMain", nullptr), nullptr);
    EXPECT_EQ(Settings(), settings);
}

} // namespace
} // namespace staywick::test
