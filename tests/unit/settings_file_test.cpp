// Loading and saving the settings record through the portable profile: the
// defaults, the exact text of a first save, other content kept, and a save
// that stops at a refused write.
#include "common/app_error.h"
#include "fakes/fake_files.h"
#include "fakes/recording_profile.h"
#include "settings/ini_profile.h"
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace staywick {
namespace {

const std::wstring kIni = L"C:\\Users\\me\\AppData\\Roaming\\Tessaro\\Staywick\\Staywick.Settings";

class SettingsFile : public ::testing::Test {
protected:
    SettingsFile() { files.AddDir(L"C:\\Users\\me\\AppData\\Roaming\\Tessaro\\Staywick"); }

    TStaywickOptions Load() { return LoadOptions(recorder, kIni); }
    void Save(const TStaywickOptions& options) { SaveOptions(recorder, kIni, options); }
    std::string& File() { return files.files[kIni]; }

    test::FakeFiles files;
    IniProfile profile{files};
    test::RecordingProfile recorder{profile};
};

TEST_F(SettingsFile, NoFileGivesTheDefaultsAndLoadingWritesNothing) {
    EXPECT_EQ(Load(), TStaywickOptions{});
    const TStaywickOptions expected{.Active = true,
                                    .ActivateFor = 0,
                                    .AutoStopped = true,
                                    .InputKey = 0,
                                    .SleepMax = 3,
                                    .NotifySystem = true};
    EXPECT_EQ(Load(), expected);
    EXPECT_TRUE(files.files.empty());
    EXPECT_TRUE(recorder.writes.empty());
}

TEST_F(SettingsFile, ReadsEachKeyInOrderFromGeneral) {
    Load();
    std::vector<std::wstring> keys;
    for (const auto& call : recorder.reads) {
        EXPECT_EQ(call.section, L"General");
        EXPECT_EQ(call.path, kIni);
        keys.push_back(call.key);
    }
    // The six keys in their order, then the later ones.
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"Active", L"DontLetSleepMoreThen", L"ActivateFor",
                                               L"AutoStopped", L"InputKey", L"NotifySystem",
                                               L"ActivateUntil", L"ActivateUntilEnd", L"Hotkey",
                                               L"KeepDisplayOn", L"ActivateForMinutes",
                                               L"LidClosedAwake", L"EndAction", L"WarnBeforeEnd"}));
}

TEST_F(SettingsFile, FirstSaveWithDefaultsIsExactlySevenLines) {
    Save(TStaywickOptions{});
    EXPECT_EQ(File(), "[General]\r\nActive=1\r\nDontLetSleepMoreThen=3\r\nActivateFor=0\r\n"
                      "AutoStopped=1\r\nInputKey=0\r\nNotifySystem=1\r\n");
    EXPECT_EQ(recorder.flushes, std::vector<std::wstring>{kIni});
}

TEST_F(SettingsFile, SavedValuesLoadBackUnchanged) {
    const TStaywickOptions saved{.Active = false,
                                 .ActivateFor = 720,
                                 .AutoStopped = false,
                                 .InputKey = -7,
                                 .SleepMax = -2147483647 - 1,
                                 .NotifySystem = false};
    Save(saved);
    EXPECT_EQ(Load(), saved);
    EXPECT_NE(File().find("InputKey=-7\r\n"), std::string::npos);
}

TEST_F(SettingsFile, HandWrittenValuesAndNamesInCapitals) {
    File() = "[GENERAL]\r\n"
             "ACTIVE=2\r\n"
             "dontletsleepmorethen=0x0A\r\n"
             "ActivateFor=10min\r\n"
             "InputKey = $1\r\n"
             "NotifySystem=0\r\n";
    const TStaywickOptions loaded = Load();
    EXPECT_TRUE(loaded.Active);
    EXPECT_EQ(loaded.SleepMax, 10);
    EXPECT_EQ(loaded.ActivateFor, 0); // does not parse: default
    EXPECT_TRUE(loaded.AutoStopped);  // missing: default
    EXPECT_EQ(loaded.InputKey, 1);
    EXPECT_FALSE(loaded.NotifySystem);
}

TEST_F(SettingsFile, InactiveWithoutAutoStoppedLoadsAutoStoppedTrue) {
    File() = "[General]\r\nActive=0\r\n";
    const TStaywickOptions loaded = Load();
    EXPECT_FALSE(loaded.Active);
    EXPECT_TRUE(loaded.AutoStopped);
}

TEST_F(SettingsFile, SavingKeepsOtherSectionsCommentsBlankLinesAndKeyPlaces) {
    const std::string before = "; written by hand\r\n"
                               "[Other]\r\n"
                               "Active=0\r\n"
                               "\r\n"
                               "[General]\r\n"
                               "Comment=mine\r\n"
                               "DontLetSleepMoreThen=9\r\n"
                               "\r\n"
                               "[Tail]\r\n"
                               "X=1\r\n";
    File() = before;
    TStaywickOptions options;
    options.SleepMax = 15;
    Save(options);
    EXPECT_EQ(File(), "; written by hand\r\n"
                      "[Other]\r\n"
                      "Active=0\r\n"
                      "\r\n"
                      "[General]\r\n"
                      "Comment=mine\r\n"
                      "DontLetSleepMoreThen=15\r\n"
                      "Active=1\r\n"
                      "ActivateFor=0\r\n"
                      "AutoStopped=1\r\n"
                      "InputKey=0\r\n"
                      "NotifySystem=1\r\n"
                      "\r\n"
                      "[Tail]\r\n"
                      "X=1\r\n");
}

// The keys are written in one step: a write refused at the third key leaves
// the whole file as it was, not the first two keys written.
TEST_F(SettingsFile, ARefusedWriteLeavesTheWholeFileAsItWas) {
    const std::string before =
        "[General]\r\nActive=0\r\nDontLetSleepMoreThen=9\r\n"
        "ActivateFor=30\r\nAutoStopped=0\r\nInputKey=2\r\nNotifySystem=0\r\n";
    File() = before;
    files.refuseBytesHolding = "ActivateFor=60";
    const TStaywickOptions options{.Active = true,
                                   .ActivateFor = 60,
                                   .AutoStopped = true,
                                   .InputKey = 1,
                                   .SleepMax = 4,
                                   .NotifySystem = true};
    const TStaywickOptions copy = options;
    try {
        Save(options);
        FAIL() << "the refused write must raise the error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Text(), L"Unable to write to " + kIni);
    }
    EXPECT_EQ(File(), before);
    EXPECT_TRUE(files.replaced.empty());
    ASSERT_EQ(recorder.writes.size(), 1u);
    EXPECT_EQ(recorder.writes[0].keys,
              (std::vector<std::wstring>{L"Active", L"DontLetSleepMoreThen", L"ActivateFor",
                                         L"AutoStopped", L"InputKey", L"NotifySystem"}));
    EXPECT_EQ(recorder.flushes, std::vector<std::wstring>{kIni}) << "flushed after the failure";
    EXPECT_EQ(options, copy);
}

// A save replaces the file once, with all of its keys: a reader never finds
// some keys changed and others not.
TEST_F(SettingsFile, ASaveReplacesTheFileOnceWithAllItsKeys) {
    File() = "[General]\r\nActive=0\r\nAutoStopped=0\r\nActivateUntil=600\r\n";
    TStaywickOptions options;
    options.Hotkey = 0x0241;
    Save(options);
    EXPECT_EQ(files.replaced, std::vector<std::wstring>{kIni});
    EXPECT_EQ(File(), "[General]\r\nActive=1\r\nAutoStopped=1\r\nActivateUntil=\r\n"
                      "DontLetSleepMoreThen=3\r\nActivateFor=0\r\nInputKey=0\r\n"
                      "NotifySystem=1\r\nHotkey=577\r\n");
}

TEST_F(SettingsFile, AFolderThatCannotTakeTheFileFailsAtTheFirstKey) {
    const std::wstring elsewhere = L"C:\\Missing\\Staywick.Settings";
    EXPECT_THROW(SaveOptions(recorder, elsewhere, TStaywickOptions{}), AppError);
    EXPECT_EQ(recorder.writes.size(), 1u);
    EXPECT_EQ(files.files.count(elsewhere), 0u);
}

TEST_F(SettingsFile, AReadOnlyFileFailsEverySaveAndKeepsItsBytes) {
    File() = "[General]\r\nActive=0\r\n";
    files.readOnly.insert(kIni);
    for (int i = 0; i < 2; ++i)
        EXPECT_THROW(Save(TStaywickOptions{}), AppError);
    EXPECT_EQ(File(), "[General]\r\nActive=0\r\n");
}

struct DamagedCase {
    const char* name;
    std::string bytes;
};

void PrintTo(const DamagedCase& c, std::ostream* os) {
    *os << c.name;
}

class DamagedFile : public SettingsFile, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedFile, GivesTheDefaultsAndASaveKeepsTheRest) {
    const std::string bytes = GetParam().bytes;
    File() = bytes;
    EXPECT_EQ(Load(), TStaywickOptions{});
    TStaywickOptions options;
    options.InputKey = 1;
    Save(options);
    EXPECT_EQ(File().substr(0, bytes.size()), bytes) << "nothing of the file lost";
    EXPECT_EQ(Load(), options);
}

std::string Binary() {
    std::string bytes;
    for (int i = 0; i < 4096; ++i)
        bytes.push_back(static_cast<char>((i * 131 + 7) % 256));
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DamagedFile,
    ::testing::Values(
        DamagedCase{.name = "binary", .bytes = Binary()},
        DamagedCase{.name = "truncated in a key", .bytes = "[General]\r\nActive=1\r\nDontLetSl"},
        DamagedCase{.name = "truncated in the header", .bytes = "[Gene"},
        DamagedCase{.name = "one huge line", .bytes = std::string(1 << 20, 'A')},
        DamagedCase{.name = "UTF-16 text", .bytes = std::string("\xFF\xFE[\0G\0]\0\r\0\n\0", 12)}));

TEST_F(SettingsFile, AFileThatCannotBeReadGivesDefaultsAndIsNotOverwritten) {
    File() = "[General]\r\nActive=0\r\n";
    files.unreadable.insert(kIni);
    EXPECT_EQ(Load(), TStaywickOptions{});
    EXPECT_THROW(Save(TStaywickOptions{}), AppError);
    EXPECT_EQ(File(), "[General]\r\nActive=0\r\n");
}

TEST_F(SettingsFile, AVeryLongValueIsReadWhole) {
    // Past the profile API's first buffer of 2,048 characters: nothing is cut.
    File() = "[General]\r\nDontLetSleepMoreThen=" + std::string(2047, '0') + "5\r\n";
    EXPECT_EQ(Load().SleepMax, 5);
    File() = "[General]\r\nDontLetSleepMoreThen=" + std::string(100000, '0') + "7\r\n";
    EXPECT_EQ(Load().SleepMax, 7);
}

} // namespace
} // namespace staywick
