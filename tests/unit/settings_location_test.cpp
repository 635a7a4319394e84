// Where the settings file lies, and the path helpers behind that choice.
#include "common/path_functions.h"
#include "fakes/fake_files.h"
#include "fakes/recording_profile.h"
#include "platform/path_checks.h"
#include "settings/ini_profile.h"
#include "settings/settings_file.h"
#include "settings/settings_location.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace staywick {
namespace {

const std::wstring kExeDir = L"C:\\Program Files\\Staywick\\";
const std::wstring kPortable = kExeDir + L"Staywick.Settings";
const std::wstring kUserDir = L"C:\\Users\\me\\AppData\\Roaming\\Tessaro\\Staywick\\";
const std::wstring kUserFile = kUserDir + L"Staywick.Settings";

class Location : public ::testing::Test {
protected:
    test::FakeFiles files;
    SettingsLocation location{files};
    IniProfile profile{files};
    test::RecordingProfile recorder{profile};
};

TEST_F(Location, NoFileAnywhereCreatesThePerUserFolderLevelByLevelAndWritesNoFile) {
    const std::wstring ini = location.GetIniFile();
    EXPECT_EQ(ini, kUserFile);
    EXPECT_FALSE(location.PortableMode());
    EXPECT_EQ(files.created,
              (std::vector<std::wstring>{L"C:\\Users\\me\\AppData\\Roaming\\Tessaro",
                                         L"C:\\Users\\me\\AppData\\Roaming\\Tessaro\\Staywick"}));
    EXPECT_EQ(LoadOptions(recorder, ini), TStaywickOptions{});
    EXPECT_TRUE(files.files.empty()) << "loading never creates the file";
}

TEST_F(Location, AnExistingPerUserFolderIsLeftAlone) {
    files.AddDir(kUserDir);
    EXPECT_EQ(location.GetIniFile(), kUserFile);
    EXPECT_TRUE(files.created.empty());
}

TEST_F(Location, ThePortableFileWinsAndThePerUserFolderIsNeitherReadNorCreated) {
    files.AddDir(kUserDir);
    files.files[kUserFile] = "[General]\r\nActive=1\r\n";
    files.files[kPortable] = "[General]\r\nActive=0\r\n";
    files.dirs.erase(L"C:\\Users\\me\\AppData\\Roaming\\Tessaro\\Staywick");
    files.dirs.erase(L"C:\\Users\\me\\AppData\\Roaming\\Tessaro");

    const std::wstring ini = location.GetIniFile();
    EXPECT_EQ(ini, kPortable);
    EXPECT_TRUE(location.PortableMode());
    EXPECT_FALSE(LoadOptions(recorder, ini).Active);
    EXPECT_TRUE(files.created.empty());
    for (const auto& path : files.loaded)
        EXPECT_EQ(path, kPortable);
    // The log and anything else derived from the folder stay beside the program.
    EXPECT_EQ(location.GetAppDataPath(false), kExeDir);
    EXPECT_TRUE(files.created.empty());
}

TEST_F(Location, AFolderNamedLikeTheFileDoesNotCount) {
    files.AddDir(kPortable);
    EXPECT_EQ(location.GetIniFile(), kUserFile);
    EXPECT_FALSE(location.PortableMode());
}

TEST_F(Location, APortableFileOnAnAbsentDriveIsNeverProbed) {
    files.exeFolder = L"E:\\Tools\\";
    files.files[L"E:\\Tools\\Staywick.Settings"] = "[General]\r\n";
    EXPECT_EQ(location.GetIniFile(), kUserFile);
    EXPECT_EQ(files.driveQueries.front(), L'E');
}

TEST_F(Location, AnExecutableAtADriveRootGetsOneBackslash) {
    files.exeFolder = L"C:\\";
    files.files[L"C:\\Staywick.Settings"] = "";
    EXPECT_EQ(location.GetIniFile(), L"C:\\Staywick.Settings");
}

TEST_F(Location, CommonSelectsTheAllUsersFolder) {
    EXPECT_EQ(location.GetAppDataPath(true), L"C:\\ProgramData\\Tessaro\\Staywick\\");
    EXPECT_TRUE(files.HasDir(L"C:\\ProgramData\\Tessaro\\Staywick"));
}

TEST_F(Location, WithoutAnApplicationDataFolderTheFileStaysBesideTheProgram) {
    files.appData.reset();
    EXPECT_EQ(location.GetIniFile(), kPortable);
    EXPECT_FALSE(location.PortableMode());
    EXPECT_TRUE(files.created.empty());
}

TEST_F(Location, AFolderThatCannotBeCreatedIsNotReportedAndLoadingGivesDefaults) {
    files.appData = L"D:\\Profiles\\me"; // drive D: is not there
    const std::wstring ini = location.GetIniFile();
    EXPECT_EQ(ini, L"D:\\Profiles\\me\\Tessaro\\Staywick\\Staywick.Settings");
    EXPECT_TRUE(files.created.empty());
    EXPECT_EQ(LoadOptions(recorder, ini), TStaywickOptions{});
}

TEST(WithTrailingBackslash, AppendsOnlyWhenMissing) {
    EXPECT_EQ(WithTrailingBackslash(L""), L"");
    EXPECT_EQ(WithTrailingBackslash(L"C:"), L"C:\\");
    EXPECT_EQ(WithTrailingBackslash(L"C:\\"), L"C:\\");
    EXPECT_EQ(WithTrailingBackslash(L"C:\\a/"), L"C:\\a/\\");
    EXPECT_EQ(WithTrailingBackslash(L"\\\\srv\\share"), L"\\\\srv\\share\\");
}

struct DriveCase {
    wchar_t ch;
    bool available;
    bool queried; // whether the drive itself had to answer
};

class DriveRule : public ::testing::TestWithParam<DriveCase> {};

TEST_P(DriveRule, LettersAskTheDriveBackslashIsTrueAnythingElseFalse) {
    test::FakeFiles files;
    files.drives = {L'C'};
    EXPECT_EQ(IsDriveAvailable(files, GetParam().ch), GetParam().available);
    EXPECT_EQ(files.driveQueries.size(), GetParam().queried ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DriveRule,
    ::testing::Values(DriveCase{.ch = L'C', .available = true, .queried = true},
                      DriveCase{.ch = L'c', .available = true, .queried = true},
                      DriveCase{.ch = L'D', .available = false, .queried = true},
                      DriveCase{.ch = L'z', .available = false, .queried = true},
                      DriveCase{.ch = L'\\', .available = true, .queried = false},
                      DriveCase{.ch = L'/', .available = false, .queried = false},
                      DriveCase{.ch = L'1', .available = false, .queried = false},
                      DriveCase{.ch = L'\u00C4', .available = false, .queried = false}));

TEST(SafeExists, GuardsOnTheDriveAndTellsFilesFromFolders) {
    test::FakeFiles files;
    files.files[L"C:\\f.txt"] = "";
    files.AddDir(L"C:\\dir");
    EXPECT_TRUE(SafeFileExists(files, L"C:\\f.txt"));
    EXPECT_FALSE(SafeFileExists(files, L"C:\\dir"));
    EXPECT_TRUE(SafeDirectoryExists(files, L"C:\\dir"));
    EXPECT_FALSE(SafeDirectoryExists(files, L"C:\\f.txt"));
    EXPECT_FALSE(SafeFileExists(files, L""));
    EXPECT_FALSE(SafeDirectoryExists(files, L""));
    EXPECT_EQ(files.driveQueries.size(), 4u) << "the empty paths ask no drive";
    files.drives.clear();
    EXPECT_FALSE(SafeFileExists(files, L"C:\\f.txt"));
    EXPECT_FALSE(SafeDirectoryExists(files, L"C:\\dir"));
}

TEST(ForceDirectories, CreatesOnlyMissingLevelsOutermostFirst) {
    test::FakeFiles files;
    ForceDirectories(files, L"C:\\a\\b\\c\\");
    EXPECT_EQ(files.created, (std::vector<std::wstring>{L"C:\\a", L"C:\\a\\b", L"C:\\a\\b\\c"}));
    files.created.clear();
    ForceDirectories(files, L"C:\\a\\b\\d");
    EXPECT_EQ(files.created, std::vector<std::wstring>{L"C:\\a\\b\\d"});
    files.created.clear();
    ForceDirectories(files, L"C:\\");
    ForceDirectories(files, L"");
    EXPECT_TRUE(files.created.empty());
}

} // namespace
} // namespace staywick
