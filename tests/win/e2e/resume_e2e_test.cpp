// Resume broadcasts with the real Staywick.exe, keep-awake on and an idle
// limit of 0 (a forced wake every 5 s): after a wake that no user caused the
// simulated presses stop until real mouse input reaches a Wine window; after
// a resume by the user they go on. Judged from outside, by the session's idle
// time and by the forced wakes in the activity log.
#include "win/common/process_helpers.h"
#include "win/common/settings_text.h"
#include "win/common/tray_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace staywick::test {
namespace {

const std::string kSettings = SettingsFileText{.active = "1", .sleepMax = "0"}.Text();

class ResumeE2eTest : public PortableInstallTest {
protected:
    void SetUp() override {
        PortableInstallTest::SetUp();
        WriteFileBytes(SettingsPath(), kSettings);
        program_ = Process::Start(exe_, L"/L");
        main_ = WaitForMainWindow(10000);
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(WaitUntil(15000, [&] { return ForcedWakes() >= 2; }))
            << "the presses must run before the resume";
    }

    std::size_t ForcedWakes() const { return ForcedWakesLogged(dir_.File(L"Staywick.log")); }

    // As the system sends it; returns once the program has handled it and
    // is back in its message loop.
    void Broadcast(WPARAM event) {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(HWND_BROADCAST, WM_POWERBROADCAST, event, 0, SMTO_ABORTIFHUNG, 3000,
                              &result);
        ASSERT_NE(::SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &result), 0);
    }

    Process program_;
    HWND main_ = nullptr;
};

TEST_F(ResumeE2eTest, UnattendedWakeStopsThePressesUntilRealInput) {
    Broadcast(PBT_APMRESUMEAUTOMATIC);
    // A forced wake already under way when the resume came completes (its
    // presses take about 300 ms); from a second of quiet on, none may follow.
    ASSERT_TRUE(WaitUntil(3000, [&] { return SessionIdleMs() >= 1000; }));
    const std::size_t wakesAtResume = ForcedWakes();

    // Nothing may press a key now: the idle time must grow without a drop.
    // A bounded window, since what is shown is that something does not happen:
    // past one forced-wake period of 5 s here, as the rule's every case is
    // pinned on the virtual clock (UnattendedRule, engine_resume_test).
    DWORD last = SessionIdleMs();
    bool dropped = false;
    const bool grew = WaitUntil(12000, [&] {
        const DWORD now = SessionIdleMs();
        dropped = dropped || now + 50 < last;
        last = now;
        return now >= 7000;
    });
    EXPECT_TRUE(grew) << "idle " << last;
    EXPECT_FALSE(dropped) << "a key was pressed during the unattended wake";
    EXPECT_EQ(ForcedWakes(), wakesAtResume);
    EXPECT_TRUE(program_.Running());

    // Somebody moves the mouse over Wine's desktop.
    ASSERT_TRUE(Xdotool("mousemove 300 300 mousemove 340 320"));
    ASSERT_TRUE(WaitUntil(3000, [&] { return SessionIdleMs() < 3000; }))
        << "the mouse input must reach Wine";
    EXPECT_TRUE(WaitUntil(10000, [&] { return ForcedWakes() > wakesAtResume; }))
        << "the presses come back after real input";
}

class ResumeByUserE2eTest : public ResumeE2eTest,
                            public ::testing::WithParamInterface<std::vector<WPARAM>> {};

TEST_P(ResumeByUserE2eTest, PressesGoOn) {
    for (const WPARAM event : GetParam())
        Broadcast(event);
    const std::size_t wakesAtResume = ForcedWakes();
    DWORD last = SessionIdleMs();
    int drops = 0;
    EXPECT_TRUE(WaitUntil(12000, [&] {
        const DWORD now = SessionIdleMs();
        drops += now + 50 < last;
        last = now;
        return ForcedWakes() >= wakesAtResume + 2;
    })) << "forced wakes every 5 s, as before the resume";
    EXPECT_GE(drops, 1) << "the presses reset the idle time";
}

INSTANTIATE_TEST_SUITE_P(Broadcasts, ResumeByUserE2eTest,
                         ::testing::Values(std::vector<WPARAM>{PBT_APMRESUMESUSPEND},
                                           std::vector<WPARAM>{PBT_APMRESUMEAUTOMATIC,
                                                               PBT_APMRESUMESUSPEND}),
                         [](const auto& info) {
                             return std::string(info.param.size() == 1 ? "ResumeSuspend"
                                                                       : "AutomaticThenSuspend");
                         });

} // namespace
} // namespace staywick::test
