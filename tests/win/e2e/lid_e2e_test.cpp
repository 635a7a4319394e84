// Staying awake with the lid closed, with the real Staywick.exe: what only a
// separate process with its settings file shows. A start finds the
// lid-close action's values that a run which ended without putting them
// back left in the file, and asks powrprof to put them back; a start with
// nothing saved and the choice "Never" does not load powrprof at all.
// Wine 8.0's powrprof has neither PowerWriteACValueIndex nor
// PowerWriteDCValueIndex (and its PowerGetActiveScheme fails), so there the
// values cannot go back: they must then stay in the file as they were, for
// the next start, and must not be overwritten by a new hold. That the
// values go back and the keys are emptied is checked through the seam
// (tests/unit/lid_override_test.cpp).
#include "win/common/process_helpers.h"

#include <gtest/gtest.h>

#include <string>

namespace staywick::test {
namespace {

constexpr char kSaved[] = "LidOriginalScheme={381B4222-F694-41F0-9685-FF5BB260DF2E}\r\n"
                          "LidOriginalAC=1\r\n"
                          "LidOriginalDC=2\r\n";

using LidE2e = PortableInstallTest;

// On, with "Always": the start would hold the lid action, but saved values
// that could not go back keep it from reading the program's own "do
// nothing" as the user's.
TEST_F(LidE2e, SavedValuesThatCannotGoBackStayInTheFileUntouched) {
    const std::string before =
        "[General]\r\nActive=1\r\nAutoStopped=0\r\nLidClosedAwake=2\r\n" + std::string(kSaved);
    WriteFileBytes(SettingsPath(), before);
    Process p = Process::Start(exe_);
    ASSERT_NE(WaitForStartUp(p.Id()), nullptr);
    EXPECT_TRUE(ProcessHasModule(p.Id(), L"powrprof.dll")) << "the put-back was tried";
    EXPECT_EQ(ReadFileBytes(SettingsPath()), before);
    CloseRunningStaywick();
    EXPECT_EQ(ReadFileBytes(SettingsPath()), before) << "nor at the exit";
}

TEST_F(LidE2e, NeverWithNothingSavedDoesNotLoadPowrprof) {
    WriteFileBytes(SettingsPath(), "[General]\r\nActive=1\r\nAutoStopped=0\r\n");
    Process p = Process::Start(exe_);
    ASSERT_NE(WaitForStartUp(p.Id()), nullptr);
    ASSERT_TRUE(ProcessHasModule(p.Id(), L"user32.dll")) << "the modules can be read";
    EXPECT_FALSE(ProcessHasModule(p.Id(), L"powrprof.dll"));
    EXPECT_EQ(ReadFileBytes(SettingsPath()).find("Lid"), std::string::npos)
        << "a file without the keys stays without them";
}

} // namespace
} // namespace staywick::test
