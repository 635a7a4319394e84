// The programs-in-front field of the Automatic dialog: a typed list read as
// "&Add" reads one name, and a pick from the running programs joining it.
#include "settings/window_reason_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace staywick {
namespace {

using Names = std::vector<std::wstring>;

TEST(TypedProgramListTest, EachEntryAsAddTakesIt) {
    const TypedProgramList list =
        CheckTypedProgramList(L" notepad ; VLC.exe;;vlc.EXE ; obs64.exe;");
    EXPECT_EQ(list.names, (Names{L"notepad.exe", L"VLC.exe", L"obs64.exe"}));
    EXPECT_EQ(list.refused, L"");
    EXPECT_TRUE(CheckTypedProgramList(L" ; ").names.empty());
    EXPECT_TRUE(CheckTypedProgramList(L"").refused.empty());
}

TEST(TypedProgramListTest, AFolderOrAWildcardIsRefusedByName) {
    EXPECT_EQ(CheckTypedProgramList(L"vlc.exe; C:\\Tools\\x.exe ;y.exe").refused,
              L"C:\\Tools\\x.exe");
    EXPECT_EQ(CheckTypedProgramList(L"*.exe").refused, L"*.exe");
    EXPECT_EQ(CheckTypedProgramList(L"a?.exe;b.exe").refused, L"a?.exe");
}

TEST(TypedProgramListTest, APickJoinsTheListOnce) {
    EXPECT_EQ(WithProgramAdded(L"", L"notepad.exe"), L"notepad.exe");
    EXPECT_EQ(WithProgramAdded(L"  ", L"notepad.exe"), L"notepad.exe");
    EXPECT_EQ(WithProgramAdded(L"vlc.exe", L"notepad.exe"), L"vlc.exe; notepad.exe");
    EXPECT_EQ(WithProgramAdded(L"vlc.exe; ", L"notepad.exe"), L"vlc.exe; notepad.exe");
    EXPECT_EQ(WithProgramAdded(L"NOTEPAD; vlc.exe", L"notepad.exe"), L"NOTEPAD; vlc.exe");
    // A list that holds a bad entry is left for the user to correct.
    EXPECT_EQ(WithProgramAdded(L"C:\\x.exe", L"notepad.exe"), L"C:\\x.exe; notepad.exe");
}

} // namespace
} // namespace staywick
