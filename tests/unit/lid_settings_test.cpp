// The keys of staying awake with the lid closed: "LidClosedAwake" (0 to 2,
// written once chosen) and the values found before a change, kept in one
// step until they are back and then emptied.
#include "common/app_error.h"
#include "fakes/fake_files.h"
#include "settings/ini_profile.h"
#include "settings/lid_originals_file.h"
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace staywick {
namespace {

const std::wstring kIni = L"C:\\p\\Staywick.Settings";
const std::wstring kScheme = L"{381B4222-F694-41F0-9685-FF5BB260DF2E}";

class LidSettings : public ::testing::Test {
protected:
    LidSettings() { files.AddDir(L"C:\\p"); }
    std::string& File() { return files.files[kIni]; }

    test::FakeFiles files;
    IniProfile profile{files};
    LidOriginalsFile originals{profile, kIni};
};

struct ChoiceRow {
    const char* text;
    std::int32_t expected;
};

TEST_F(LidSettings, LidClosedAwakeIsZeroToTwoAndWrittenOnceChosen) {
    const ChoiceRow rows[] = {
        {"", 0},
        {"LidClosedAwake=1\r\n", 1},
        {"LidClosedAwake=2\r\n", 2},
        {"LidClosedAwake=3\r\n", 0},
        {"LidClosedAwake=-1\r\n", 0},
        {"LidClosedAwake=always\r\n", 0},
        {"lidclosedawake=$2\r\n", 2},
    };
    for (const ChoiceRow& row : rows) {
        File() = std::string("[General]\r\n") + row.text;
        EXPECT_EQ(LoadOptions(profile, kIni).LidClosedAwake, row.expected) << row.text;
    }

    File().clear();
    TStaywickOptions options;
    SaveOptions(profile, kIni, options);
    EXPECT_EQ(File().find("LidClosedAwake"), std::string::npos);
    options.LidClosedAwake = 2;
    SaveOptions(profile, kIni, options);
    EXPECT_NE(File().find("LidClosedAwake=2\r\n"), std::string::npos);
    options.LidClosedAwake = 0;
    SaveOptions(profile, kIni, options);
    EXPECT_NE(File().find("LidClosedAwake=0\r\n"), std::string::npos) << "kept once it existed";
}

TEST_F(LidSettings, TheValuesFoundAreKeptTogetherAndEmptiedOnceBack) {
    File() = "[General]\r\nActive=1\r\n";
    EXPECT_FALSE(originals.Load());
    originals.Save({.scheme = kScheme, .ac = 3});
    EXPECT_EQ(File(), "[General]\r\nActive=1\r\nLidOriginalScheme=" +
                          std::string(kScheme.begin(), kScheme.end()) +
                          "\r\nLidOriginalAC=3\r\nLidOriginalDC=\r\n");
    EXPECT_EQ(originals.Load(), (LidOriginals{.scheme = kScheme, .ac = 3}));
    originals.Save({.scheme = kScheme, .ac = 0, .dc = 2});
    EXPECT_EQ(originals.Load(), (LidOriginals{.scheme = kScheme, .ac = 0, .dc = 2}));
    originals.Clear();
    EXPECT_FALSE(originals.Load());
    EXPECT_EQ(
        File(),
        "[General]\r\nActive=1\r\nLidOriginalScheme=\r\nLidOriginalAC=\r\nLidOriginalDC=\r\n");
}

struct OriginalsRow {
    const char* text;
    std::optional<LidOriginals> expected;
};

TEST_F(LidSettings, SavedValuesOutOfRangeOrWithoutASchemeAreNone) {
    const OriginalsRow rows[] = {
        {"LidOriginalScheme=S\r\nLidOriginalAC=4\r\nLidOriginalDC=3\r\n",
         LidOriginals{.scheme = L"S", .dc = 3}},
        {"LidOriginalScheme=S\r\nLidOriginalAC=4\r\n", std::nullopt},
        {"LidOriginalAC=1\r\nLidOriginalDC=1\r\n", std::nullopt},
        {"LidOriginalScheme=S\r\nLidOriginalAC=-1\r\nLidOriginalDC=x\r\n", std::nullopt},
    };
    for (const OriginalsRow& row : rows) {
        File() = std::string("[General]\r\n") + row.text;
        EXPECT_EQ(originals.Load(), row.expected) << row.text;
    }
}

TEST_F(LidSettings, ARefusedWriteThrowsAndLeavesTheFile) {
    File() = "[General]\r\nActive=1\r\n";
    files.refuseBytesHolding = "LidOriginalScheme";
    EXPECT_THROW(originals.Save({.scheme = kScheme, .ac = 1}), AppError);
    EXPECT_EQ(File(), "[General]\r\nActive=1\r\n");
}

} // namespace
} // namespace staywick
