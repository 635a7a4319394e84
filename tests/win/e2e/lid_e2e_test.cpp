// Staying awake with the lid closed, with the real Staywick.exe: a start
// finds the lid-close action's values that a run which ended without
// putting them back left in the settings file, puts them back through
// powrprof and empties the keys; a start with nothing saved and the choice
// "Never" does not load powrprof at all. Under Wine, PowerWriteACValueIndex
// answers success (and changes nothing) while PowerWriteDCValueIndex is
// missing, so a saved DC value cannot be put back there and stays saved for
// the next start. What the values become is checked through the seam
// (tests/unit/lid_override_test.cpp); this is what only a separate process
// with its file shows.
#include "win/common/process_helpers.h"

#include <gtest/gtest.h>

#include <string>

namespace staywick::test {
namespace {

constexpr char kSaved[] = "LidOriginalScheme={381B4222-F694-41F0-9685-FF5BB260DF2E}\r\n"
                          "LidOriginalAC=1\r\n";

using LidE2e = PortableInstallTest;

struct SavedRow {
    const char* name;
    std::string dc; // LidOriginalDC's line
    bool emptied;
};

TEST_F(LidE2e, AStartPutsTheSavedValuesBackAndEmptiesTheKeys) {
    const SavedRow rows[] = {
        {.name = "AC only", .dc = "", .emptied = true},
        {.name = "with DC (missing under Wine)", .dc = "LidOriginalDC=2\r\n", .emptied = false},
    };
    for (const SavedRow& row : rows) {
        SCOPED_TRACE(row.name);
        CloseRunningStaywick();
        WriteFileBytes(SettingsPath(),
                       "[General]\r\nActive=0\r\nAutoStopped=0\r\n" + std::string(kSaved) + row.dc);
        Process p = Process::Start(exe_);
        ASSERT_NE(WaitForStartUp(p.Id()), nullptr);
        const std::string after = ReadFileBytes(SettingsPath());
        EXPECT_EQ(after.find("LidOriginalScheme=\r\nLidOriginalAC=\r\nLidOriginalDC=\r\n") !=
                      std::string::npos,
                  row.emptied)
            << after;
        EXPECT_EQ(after.find(kSaved) != std::string::npos, !row.emptied) << after;
        EXPECT_TRUE(ProcessHasModule(p.Id(), L"powrprof.dll"));
    }
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
