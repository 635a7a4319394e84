// The later settings keys, "ActivateUntil", "ActivateUntilEnd" and "Hotkey":
// read and checked, written while they hold something, emptied once cleared,
// and absent from a file that never used them.
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

struct UntilEndRow {
    const char* text;
    std::optional<std::int64_t> expected; // the local clock's reading, ms since 1970
};

// The end of an "until" session: a date and time that exist, beside the time
// of day it belongs to.
TEST_F(LaterKeys, ActivateUntilEndIsADateWithItsTimeOrNone) {
    const UntilEndRow rows[] = {
        {"ActivateUntil=1020\r\nActivateUntilEnd=2026-01-05 17:00\r\n", 1767632400000},
        {"ActivateUntil=1020\r\nActivateUntilEnd=2024-02-29 17:00\r\n", 1709226000000},
        {"ActivateUntil=1439\r\nActivateUntilEnd=9999-12-31 23:59\r\n", 253402300740000},
        {"ActivateUntil=0\r\nActivateUntilEnd=1970-01-01 00:00\r\n", 0},
        // Another time than ActivateUntil's: left by a version that set a new
        // time without knowing this key.
        {"ActivateUntil=1080\r\nActivateUntilEnd=2026-01-05 17:00\r\n", {}},
        {"ActivateUntilEnd=2026-01-05 17:00\r\n", {}},
        {"ActivateUntil=1020\r\nActivateUntilEnd=2026-02-29 17:00\r\n", {}},
        {"ActivateUntil=1020\r\nActivateUntilEnd=2026-04-31 17:00\r\n", {}},
        {"ActivateUntil=1020\r\nActivateUntilEnd=2026-13-05 17:00\r\n", {}},
        {"ActivateUntil=1020\r\nActivateUntilEnd=2026-00-05 17:00\r\n", {}},
        {"ActivateUntil=1020\r\nActivateUntilEnd=2026-01-00 17:00\r\n", {}},
        {"ActivateUntil=0\r\nActivateUntilEnd=2026-01-05 24:00\r\n", {}},
        {"ActivateUntil=1020\r\nActivateUntilEnd=1969-12-31 17:00\r\n", {}},
        {"ActivateUntil=1020\r\nActivateUntilEnd=2026-1-5 17:00\r\n", {}},
        {"ActivateUntil=1020\r\nActivateUntilEnd=2026-01-05T17:00\r\n", {}},
        {"ActivateUntil=1020\r\nActivateUntilEnd=2026-01-05 17:00:00\r\n", {}},
        {"ActivateUntil=1020\r\nActivateUntilEnd=+026-01-05 17:00\r\n", {}},
        {"ActivateUntil=1020\r\nActivateUntilEnd=\r\n", {}},
    };
    for (const UntilEndRow& row : rows)
        EXPECT_EQ(LoadFrom(row.text).ActivateUntilEnd, row.expected) << row.text;
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
    options.ActivateUntilEnd = 1767632400000;
    options.Hotkey = 0x64B;
    SaveOptions(profile, kIni, options);
    EXPECT_EQ(File(), "[General]\r\nActive=1\r\nDontLetSleepMoreThen=3\r\nActivateFor=0\r\n"
                      "AutoStopped=1\r\nInputKey=0\r\nNotifySystem=1\r\nActivateUntil=1020\r\n"
                      "ActivateUntilEnd=2026-01-05 17:00\r\nHotkey=1611\r\n");
    EXPECT_EQ(LoadOptions(profile, kIni), options);

    options.ActivateUntil.reset();
    options.ActivateUntilEnd.reset();
    options.Hotkey = 0;
    SaveOptions(profile, kIni, options);
    EXPECT_NE(File().find("ActivateUntil=\r\n"), std::string::npos);
    EXPECT_NE(File().find("ActivateUntilEnd=\r\n"), std::string::npos);
    EXPECT_NE(File().find("Hotkey=\r\n"), std::string::npos);
    EXPECT_EQ(LoadOptions(profile, kIni), options);
}

// Dates across leap days, century years and the ends of the range come back
// as they went.
TEST_F(LaterKeys, UntilEndDatesComeBackAsWritten) {
    const std::pair<std::int64_t, const char*> rows[] = {
        {0, "1970-01-01 00:00"},
        {951868740000, "2000-02-29 23:59"},
        {4107542400000, "2100-03-01 00:00"},
        {1767632400000, "2026-01-05 17:00"},
        {253402300740000, "9999-12-31 23:59"},
    };
    for (const auto& [reading, text] : rows) {
        TStaywickOptions options;
        options.ActivateUntil = static_cast<std::int32_t>(reading / 60000 % 1440);
        options.ActivateUntilEnd = reading;
        SaveOptions(profile, kIni, options);
        EXPECT_NE(File().find(std::string("ActivateUntilEnd=") + text + "\r\n"), std::string::npos)
            << text;
        EXPECT_EQ(LoadOptions(profile, kIni).ActivateUntilEnd, reading) << text;
    }
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
