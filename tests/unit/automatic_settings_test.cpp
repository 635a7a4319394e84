// The keys of keep-awake by itself: each value checked, a bad one falling
// back to its default, and the file an older version reads unchanged.
#include "common/app_error.h"
#include "fakes/fake_files.h"
#include "fakes/recording_profile.h"
#include "settings/automatic_settings.h"
#include "settings/ini_profile.h"
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace staywick {
namespace {

const std::wstring kIni = L"C:\\Staywick\\Staywick.Settings";
using Names = std::vector<std::wstring>;

class AutomaticSettings : public ::testing::Test {
protected:
    AutomaticSettings() { files.AddDir(L"C:\\Staywick"); }
    AutomaticOptions Load() { return LoadAutomaticOptions(recorder, kIni); }
    std::string& File() { return files.files[kIni]; }

    test::FakeFiles files;
    IniProfile profile{files};
    test::RecordingProfile recorder{profile};
};

TEST_F(AutomaticSettings, NoFileGivesTheDefaults) {
    const AutomaticOptions loaded = Load();
    EXPECT_TRUE(loaded.WhilePrograms.empty());
    EXPECT_EQ(loaded.ScheduleDays, 0);
    EXPECT_EQ(loaded.ScheduleFrom, 540);
    EXPECT_EQ(loaded.ScheduleTo, 1020);
    EXPECT_FALSE(loaded.Pauses.PauseOnBattery);
    EXPECT_EQ(loaded.Pauses.PauseBelowBattery, 0);
    EXPECT_TRUE(loaded.Pauses.PauseOnLidClosed);
    EXPECT_FALSE(loaded.Pauses.DisplayOffWhenLocked);
    EXPECT_TRUE(files.files.empty());
}

struct KeyCase {
    const char* name;
    const char* line; // one line of [General]
    std::function<bool(const AutomaticOptions&)> expect;
};
void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

class AutomaticKey : public AutomaticSettings, public testing::WithParamInterface<KeyCase> {};

TEST_P(AutomaticKey, ReadsOrFallsBack) {
    File() = std::string("[General]\r\n") + GetParam().line + "\r\n";
    EXPECT_TRUE(GetParam().expect(Load()));
}

INSTANTIATE_TEST_SUITE_P(
    Table, AutomaticKey,
    testing::Values(
        KeyCase{"Programs", "WhilePrograms=obs64.exe;Teams.exe",
                [](auto& o) {
                    return o.WhilePrograms == Names{L"obs64.exe", L"Teams.exe"};
                }},
        KeyCase{"ProgramsBlanksEmptiesRepeats", "WhilePrograms= a.exe ;;A.EXE; b.exe;",
                [](auto& o) {
                    return o.WhilePrograms == Names{L"a.exe", L"b.exe"};
                }},
        KeyCase{"ProgramsPathsAndWildcardsDropped",
                "WhilePrograms=C:\\x\\a.exe;*.exe;ok.exe;a?.exe;..",
                [](auto& o) { return o.WhilePrograms == Names{L"ok.exe"}; }},
        KeyCase{"DaysAll", "ScheduleDays=127", [](auto& o) { return o.ScheduleDays == 127; }},
        KeyCase{"DaysHex", "ScheduleDays=$1F", [](auto& o) { return o.ScheduleDays == 31; }},
        KeyCase{"DaysTooHigh", "ScheduleDays=128", [](auto& o) { return o.ScheduleDays == 0; }},
        KeyCase{"DaysNegative", "ScheduleDays=-1", [](auto& o) { return o.ScheduleDays == 0; }},
        KeyCase{"DaysText", "ScheduleDays=Mon", [](auto& o) { return o.ScheduleDays == 0; }},
        KeyCase{"FromMidnight", "ScheduleFrom=0", [](auto& o) { return o.ScheduleFrom == 0; }},
        KeyCase{"FromLastMinute", "ScheduleFrom=1439",
                [](auto& o) { return o.ScheduleFrom == 1439; }},
        KeyCase{"FromPastDay", "ScheduleFrom=1440", [](auto& o) { return o.ScheduleFrom == 540; }},
        KeyCase{"ToMidnight", "ScheduleTo=0", [](auto& o) { return o.ScheduleTo == 0; }},
        KeyCase{"ToNegative", "ScheduleTo=-5", [](auto& o) { return o.ScheduleTo == 1020; }},
        KeyCase{"ToClockText", "ScheduleTo=17:30", [](auto& o) { return o.ScheduleTo == 1020; }},
        KeyCase{"BatteryOn", "PauseOnBattery=1", [](auto& o) { return o.Pauses.PauseOnBattery; }},
        KeyCase{"BatteryTwo", "PauseOnBattery=2", [](auto& o) { return !o.Pauses.PauseOnBattery; }},
        KeyCase{"BatteryWord", "PauseOnBattery=yes",
                [](auto& o) { return !o.Pauses.PauseOnBattery; }},
        KeyCase{"Below20", "PauseBelowBattery=20",
                [](auto& o) { return o.Pauses.PauseBelowBattery == 20; }},
        KeyCase{"Below100", "PauseBelowBattery=100",
                [](auto& o) { return o.Pauses.PauseBelowBattery == 100; }},
        KeyCase{"Below101", "PauseBelowBattery=101",
                [](auto& o) { return o.Pauses.PauseBelowBattery == 0; }},
        KeyCase{"BelowPercentSign", "PauseBelowBattery=20%",
                [](auto& o) { return o.Pauses.PauseBelowBattery == 0; }},
        KeyCase{"LidOff", "PauseOnLidClosed=0", [](auto& o) { return !o.Pauses.PauseOnLidClosed; }},
        KeyCase{"LidEmpty", "PauseOnLidClosed=", [](auto& o) { return o.Pauses.PauseOnLidClosed; }},
        KeyCase{"LidMinusOne", "PauseOnLidClosed=-1",
                [](auto& o) { return o.Pauses.PauseOnLidClosed; }},
        KeyCase{"LockedOn", "DisplayOffWhenLocked=1",
                [](auto& o) { return o.Pauses.DisplayOffWhenLocked; }},
        KeyCase{"LockedBad", "DisplayOffWhenLocked=on",
                [](auto& o) { return !o.Pauses.DisplayOffWhenLocked; }},
        KeyCase{"NamesInCapitals", "SCHEDULEDAYS=31", [](auto& o) { return o.ScheduleDays == 31; }},
        KeyCase{"InFront", "WhileForeground= vlc.exe ;;VLC.EXE;C:\\x\\a.exe;*.exe;notepad.exe",
                [](auto& o) {
                    return o.WhileForeground == Names{L"vlc.exe", L"notepad.exe"};
                }},
        KeyCase{"TitlesBlanksEmptiesRepeats", "WhileWindowTitle= *notepad* ;;*NOTEPAD*; Zoom? ;",
                [](auto& o) {
                    return o.WhileWindowTitle == Names{L"*notepad*", L"Zoom?"};
                }},
        KeyCase{"TitlesEmpty",
                "WhileWindowTitle=", [](auto& o) { return o.WhileWindowTitle.empty(); }}),
    [](const testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(AutomaticSettings, SavedValuesLoadBackBesideTheSixKeys) {
    SaveOptions(recorder, kIni, TStaywickOptions{});
    AutomaticOptions saved;
    saved.WhilePrograms = {L"obs64.exe", L"notepad.exe"};
    saved.ScheduleDays = 1 | 16;
    saved.ScheduleFrom = 22 * 60;
    saved.ScheduleTo = 6 * 60 + 30;
    saved.Pauses = {.PauseOnBattery = true,
                    .PauseBelowBattery = 15,
                    .PauseOnLidClosed = false,
                    .DisplayOffWhenLocked = true};
    SaveAutomaticOptions(recorder, kIni, saved);
    EXPECT_EQ(Load(), saved);
    // The six keys an older version reads stay first and unchanged.
    EXPECT_EQ(File(), "[General]\r\nActive=1\r\nDontLetSleepMoreThen=3\r\nActivateFor=0\r\n"
                      "AutoStopped=1\r\nInputKey=0\r\nNotifySystem=1\r\n"
                      "WhilePrograms=obs64.exe;notepad.exe\r\nScheduleDays=17\r\n"
                      "ScheduleFrom=1320\r\nScheduleTo=390\r\nPauseOnBattery=1\r\n"
                      "PauseBelowBattery=15\r\nPauseOnLidClosed=0\r\nDisplayOffWhenLocked=1\r\n");
    EXPECT_EQ(LoadOptions(recorder, kIni), TStaywickOptions{});
}

// The keys of a program in front and a window title: absent from a file
// that never used them, written once used, emptied once they held something.
TEST_F(AutomaticSettings, WindowReasonKeysWrittenOnlyOnceUsed) {
    AutomaticOptions options;
    SaveAutomaticOptions(recorder, kIni, options);
    EXPECT_EQ(File().find("WhileForeground"), std::string::npos);
    EXPECT_EQ(File().find("WhileWindowTitle"), std::string::npos);

    options.WhileWindowTitle = {L"*notepad*", L"Zoom ?"};
    SaveAutomaticOptions(recorder, kIni, options);
    EXPECT_NE(File().find("\r\nWhileWindowTitle=*notepad*;Zoom ?\r\n"), std::string::npos);
    EXPECT_EQ(File().find("WhileForeground"), std::string::npos);
    options.WhileForeground = {L"notepad.exe", L"vlc.exe"};
    SaveAutomaticOptions(recorder, kIni, options);
    EXPECT_EQ(Load(), options);

    options.WhileForeground.clear();
    options.WhileWindowTitle.clear();
    SaveAutomaticOptions(recorder, kIni, options);
    EXPECT_NE(File().find("\r\nWhileForeground=\r\n"), std::string::npos);
    EXPECT_NE(File().find("\r\nWhileWindowTitle=\r\n"), std::string::npos);
    EXPECT_EQ(Load(), options);
}

TEST_F(AutomaticSettings, RefusedWriteNamesTheFileAndStillFlushes) {
    recorder.refuseKey = L"ScheduleFrom";
    try {
        SaveAutomaticOptions(recorder, kIni, AutomaticOptions{});
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Text(), L"Unable to write to " + kIni);
    }
    ASSERT_EQ(recorder.writes.size(), 1u); // all keys in one step
    EXPECT_EQ(recorder.writes[0].keys.size(), 8u);
    EXPECT_TRUE(files.files.empty()) << "nothing of it written";
    EXPECT_EQ(recorder.flushes.size(), 1u);
}

// 181 names of 11 characters: 2,171 characters with the separators, past
// the profile API's first read buffer of 2,048.
Names LongProgramList() {
    Names names;
    for (int i = 0; i < 181; ++i) {
        std::wstring digits = std::to_wstring(100000 + i);
        names.push_back(L"p" + digits + L".exe");
    }
    return names;
}

TEST_F(AutomaticSettings, ALongListLoadsWholeAndSavesWhole) {
    AutomaticOptions saved;
    saved.WhilePrograms = LongProgramList();
    ASSERT_EQ(ProgramListText(saved.WhilePrograms).size(), 2171u);
    SaveAutomaticOptions(recorder, kIni, saved);
    EXPECT_EQ(Load().WhilePrograms, saved.WhilePrograms);
    // Saved again as loaded: still every name, the last one whole.
    SaveAutomaticOptions(recorder, kIni, Load());
    EXPECT_NE(File().find("p100180.exe\r\nScheduleDays="), std::string::npos);
}

// Names outside ASCII: the file becomes UTF-16LE, the names and every other
// key read back, and a second save keeps the file as it is.
TEST_F(AutomaticSettings, PolishAndGreekNamesSurviveASaveAndALoad) {
    SaveOptions(recorder, kIni, TStaywickOptions{.Active = false});
    AutomaticOptions saved;
    saved.WhilePrograms = {L"Ksi\u0119gowo\u015B\u0107.exe", L"\u03A9mega.exe"};
    SaveAutomaticOptions(recorder, kIni, saved);
    ASSERT_GE(File().size(), 2u);
    EXPECT_EQ(File().substr(0, 2), "\xFF\xFE") << "UTF-16LE with its mark";
    EXPECT_EQ(Load(), saved);
    EXPECT_FALSE(LoadOptions(recorder, kIni).Active);
    const std::string converted = File();
    SaveAutomaticOptions(recorder, kIni, saved);
    SaveOptions(recorder, kIni, TStaywickOptions{.Active = false});
    EXPECT_EQ(File(), converted);
    // A name that differs only in case is the same program: listed once.
    EXPECT_EQ(ParseProgramList(L"\u03A9mega.exe;\u03C9MEGA.EXE"), Names{L"\u03A9mega.exe"});
}

TEST(ProgramList, TextRoundTrip) {
    EXPECT_EQ(ProgramListText({}), L"");
    EXPECT_EQ(ProgramListText({L"a.exe", L"b c.exe"}), L"a.exe;b c.exe");
    EXPECT_EQ(ParseProgramList(L"a.exe;b c.exe"), (Names{L"a.exe", L"b c.exe"}));
    EXPECT_TRUE(IsProgramFileName(L"obs64.exe"));
    EXPECT_FALSE(IsProgramFileName(L""));
    EXPECT_FALSE(IsProgramFileName(L"a;b.exe"));
    EXPECT_FALSE(IsProgramFileName(L"bin/a.exe"));
}

} // namespace
} // namespace staywick
