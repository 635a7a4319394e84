// The later settings keys, "ActivateUntil" and "Hotkey": read and checked,
// written while they hold something, emptied once cleared, and absent from a
// file that never used them.
#include "fakes/fake_files.h"
#include "settings/ini_profile.h"
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace staywick {
namespace {

const std::wstring kIni = L"C:\\p\\Staywick.Settings";

class LaterKeys : public ::testing::Test {
protected:
    LaterKeys() { files.AddDir(L"C:\\p"); }
    std::string& File() { return files.files[kIni]; }
    TStaywickOptions LoadFrom(const std::string& lines) {
        File() = "[General]\r\n" + lines;
        return LoadOptions(profile, kIni);
    }

    test::FakeFiles files;
    IniProfile profile{files};
};

struct UntilRow {
    const char* text;
    std::optional<std::int32_t> expected;
};

TEST_F(LaterKeys, ActivateUntilIsAMinuteOfTheDayOrNone) {
    const UntilRow rows[] = {
        {"ActivateUntil=0\r\n", 0},       {"ActivateUntil=1439\r\n", 1439},
        {"ActivateUntil=1440\r\n", {}},   {"ActivateUntil=-1\r\n", {}},
        {"ActivateUntil=$3C\r\n", 60},    {"ActivateUntil=\r\n", {}},
        {"ActivateUntil=noon\r\n", {}},   {"", {}},
        {"activateuntil=1020\r\n", 1020},
    };
    for (const UntilRow& row : rows)
        EXPECT_EQ(LoadFrom(row.text).ActivateUntil, row.expected) << row.text;
}

struct HotkeyRow {
    const char* text;
    std::int32_t expected;
};

TEST_F(LaterKeys, HotkeyIsAKeyWithModifiersOrNone) {
    const HotkeyRow rows[] = {
        {"Hotkey=1611\r\n", 0x64B}, // Ctrl+Alt+K
        {"Hotkey=75\r\n", 75},      // K alone is the control's own value
        {"Hotkey=3915\r\n", 0xF4B}, // all four modifier bits
        {"Hotkey=4171\r\n", 0},     // 0x104B: a bit beyond the modifiers
        {"Hotkey=1536\r\n", 0},     // modifiers without a key
        {"Hotkey=-75\r\n", 0},      //
        {"Hotkey=255\r\n", 0},      // no virtual key 255
        {"Hotkey=x\r\n", 0},        //
        {"", 0},                    //
    };
    for (const HotkeyRow& row : rows)
        EXPECT_EQ(LoadFrom(row.text).Hotkey, row.expected) << row.text;
}

TEST_F(LaterKeys, AFileThatNeverUsedThemDoesNotGetThem) {
    SaveOptions(profile, kIni, TStaywickOptions{});
    EXPECT_EQ(File(), "[General]\r\nActive=1\r\nDontLetSleepMoreThen=3\r\nActivateFor=0\r\n"
                      "AutoStopped=1\r\nInputKey=0\r\nNotifySystem=1\r\n");
}

TEST_F(LaterKeys, SetValuesFollowTheSixAndClearedOnesAreEmptied) {
    TStaywickOptions options;
    options.ActivateUntil = 1020;
    options.Hotkey = 0x64B;
    SaveOptions(profile, kIni, options);
    EXPECT_EQ(File(), "[General]\r\nActive=1\r\nDontLetSleepMoreThen=3\r\nActivateFor=0\r\n"
                      "AutoStopped=1\r\nInputKey=0\r\nNotifySystem=1\r\nActivateUntil=1020\r\n"
                      "Hotkey=1611\r\n");
    EXPECT_EQ(LoadOptions(profile, kIni), options);

    options.ActivateUntil.reset();
    options.Hotkey = 0;
    SaveOptions(profile, kIni, options);
    EXPECT_NE(File().find("ActivateUntil=\r\n"), std::string::npos);
    EXPECT_NE(File().find("Hotkey=\r\n"), std::string::npos);
    EXPECT_EQ(LoadOptions(profile, kIni), options);
}

TEST_F(LaterKeys, UnknownKeysAndOtherSectionsStay) {
    File() = "[General]\r\nFuture=yes\r\n[Other]\r\nA=1\r\n";
    TStaywickOptions options;
    options.ActivateUntil = 30;
    SaveOptions(profile, kIni, options);
    EXPECT_NE(File().find("Future=yes\r\n"), std::string::npos);
    EXPECT_NE(File().find("[Other]\r\nA=1\r\n"), std::string::npos);
    EXPECT_EQ(LoadOptions(profile, kIni).ActivateUntil, 30);
}

} // namespace
} // namespace staywick
