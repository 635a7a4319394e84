// What the Automatic dialog accepts: typed program names, the running
// programs offered to pick from, and its bounded number fields.
#include "settings/automatic_entry.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace staywick {
namespace {

using Names = std::vector<std::wstring>;

struct EntryRow {
    const wchar_t* typed;
    ProgramEntryOutcome outcome;
    const wchar_t* name = L"";
};

void PrintTo(const EntryRow& row, std::ostream* os) {
    *os << ::testing::PrintToString(std::wstring(row.typed));
}

class ProgramEntryTable : public ::testing::TestWithParam<EntryRow> {};

TEST_P(ProgramEntryTable, TypedNameIsCheckedAgainstTheList) {
    const Names listed{L"obs64.exe", L"Zoom.exe"};
    const ProgramEntry entry = CheckProgramEntry(listed, GetParam().typed);
    EXPECT_EQ(entry.outcome, GetParam().outcome);
    EXPECT_EQ(entry.name, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ProgramEntryTable,
    ::testing::Values(EntryRow{L"vlc.exe", ProgramEntryOutcome::Add, L"vlc.exe"},
                      EntryRow{L"  vlc.exe  ", ProgramEntryOutcome::Add, L"vlc.exe"},
                      EntryRow{L"vlc", ProgramEntryOutcome::Add, L"vlc.exe"},
                      EntryRow{L"setup.msi", ProgramEntryOutcome::Add, L"setup.msi"},
                      EntryRow{L"my player.exe", ProgramEntryOutcome::Add, L"my player.exe"},
                      EntryRow{L"", ProgramEntryOutcome::Empty},
                      EntryRow{L"   ", ProgramEntryOutcome::Empty},
                      EntryRow{L"C:\\Tools\\vlc.exe", ProgramEntryOutcome::NotAFileName},
                      EntryRow{L"tools/vlc.exe", ProgramEntryOutcome::NotAFileName},
                      EntryRow{L"*.exe", ProgramEntryOutcome::NotAFileName},
                      EntryRow{L"vlc?.exe", ProgramEntryOutcome::NotAFileName},
                      EntryRow{L"a.exe;b.exe", ProgramEntryOutcome::NotAFileName},
                      EntryRow{L"\"vlc.exe\"", ProgramEntryOutcome::NotAFileName},
                      EntryRow{L"OBS64.EXE", ProgramEntryOutcome::AlreadyListed, L"obs64.exe"},
                      EntryRow{L"zoom", ProgramEntryOutcome::AlreadyListed, L"Zoom.exe"}));

TEST(ProgramEntryLength, TheExtensionMustStillFitAFileName) {
    EXPECT_EQ(CheckProgramEntry({}, std::wstring(256, L'a')).outcome, ProgramEntryOutcome::Add);
    EXPECT_EQ(CheckProgramEntry({}, std::wstring(257, L'a')).outcome,
              ProgramEntryOutcome::NotAFileName);
    EXPECT_EQ(CheckProgramEntry({}, std::wstring(260, L'a') + L".").outcome,
              ProgramEntryOutcome::NotAFileName);
}

TEST(RunningProgramNames, SortedWithoutCaseEachOnceAndOnlyListableNames) {
    const std::vector<RunningProcess> snapshot{{1, L"svchost.exe"},
                                               {2, L"Explorer.EXE"},
                                               {3, L"svchost.exe"},
                                               {4, L"[System Process]"},
                                               {5, L"audiodg.exe"},
                                               {6, L"SVCHOST.EXE"},
                                               {7, L""},
                                               {8, L"bad|name.exe"},
                                               {9, L"zoom.exe"},
                                               {10, L"B.exe"}};
    // In the file system's order, by upper case: "[" (0x5B) follows "Z" (0x5A).
    EXPECT_EQ(RunningProgramNames(snapshot),
              (Names{L"audiodg.exe", L"B.exe", L"Explorer.EXE", L"svchost.exe", L"zoom.exe",
                     L"[System Process]"}));
    EXPECT_TRUE(RunningProgramNames({}).empty());
}

TEST(BoundedFieldValue, NoNumberIsTheLowBoundAndOthersAreBrought) {
    struct Row {
        const wchar_t* text;
        int expected;
    };
    for (const Row& row :
         {Row{L"", 1}, Row{L"abc", 1}, Row{L"0", 1}, Row{L"1", 1}, Row{L"20", 20}, Row{L"100", 100},
          Row{L"101", 100}, Row{L"-5", 1}, Row{L"999999", 100}}) {
        SCOPED_TRACE(testing::Message() << "text of length " << std::wstring(row.text).size());
        EXPECT_EQ(BoundedFieldValue(row.text, 1, 100), row.expected);
    }
    EXPECT_EQ(BoundedFieldValue(L"23", 0, 23), 23);
    EXPECT_EQ(BoundedFieldValue(L"24", 0, 23), 23);
    EXPECT_EQ(BoundedFieldValue(L"x", 0, 59), 0);
}

} // namespace
} // namespace staywick
