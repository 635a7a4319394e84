// The settings location on the real file system: a temporary folder stands in
// for the executable's folder and another for the application-data folder.
#include "platform/win32/files_win32.h"
#include "settings/win32/profile_win32.h"
#include "settings/settings_file.h"
#include "settings/settings_location.h"
#include "win/common/process_helpers.h"

#include <gtest/gtest.h>

#include <string>

namespace staywick {
namespace {

using test::TempDir;
using test::WriteFileBytes;

// The real Win32 files seam with the two folders moved into temporary ones.
class RedirectedFiles : public win32::Win32Files {
public:
    RedirectedFiles(std::wstring exeFolder, std::wstring appData)
        : exeFolder_(std::move(exeFolder)), appData_(std::move(appData)) {}
    std::wstring ExecutableFolder() override { return exeFolder_; }
    std::optional<std::wstring> AppDataFolder(bool) override { return appData_; }

private:
    std::wstring exeFolder_, appData_;
};

bool IsDir(const std::wstring& path) {
    const DWORD a = ::GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

class RealLocation : public ::testing::Test {
protected:
    TempDir exe, appData;
    RedirectedFiles files{exe.Path() + L"\\", appData.Path()};
    SettingsLocation location{files};
    win32::Win32Profile profile;
    const std::wstring userDir = appData.Path() + L"\\Tessaro\\Staywick\\";
};

TEST_F(RealLocation, ThePortableFileIsPreferredAndThePerUserFolderIsNotCreated) {
    WriteFileBytes(exe.File(L"Staywick.Settings"), "[General]\r\nActive=0\r\n");
    const std::wstring ini = location.GetIniFile();
    EXPECT_EQ(ini, exe.File(L"Staywick.Settings"));
    EXPECT_TRUE(location.PortableMode());
    EXPECT_FALSE(LoadOptions(profile, ini).Active);
    EXPECT_FALSE(IsDir(appData.Path() + L"\\Tessaro"));
}

TEST_F(RealLocation, ThePortableFileWinsOverAnExistingPerUserFile) {
    ASSERT_TRUE(::CreateDirectoryW((appData.Path() + L"\\Tessaro").c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW(userDir.c_str(), nullptr));
    WriteFileBytes(userDir + L"Staywick.Settings", "[General]\r\nInputKey=1\r\n");
    WriteFileBytes(exe.File(L"Staywick.Settings"), "[General]\r\nInputKey=2\r\n");
    EXPECT_EQ(LoadOptions(profile, location.GetIniFile()).InputKey, 2);
}

TEST_F(RealLocation, WithoutAPortableFileThePerUserFolderIsCreatedAndNoFileWritten) {
    // A folder with the file's name next to the executable does not count.
    ASSERT_TRUE(::CreateDirectoryW(exe.File(L"Staywick.Settings").c_str(), nullptr));
    const std::wstring ini = location.GetIniFile();
    EXPECT_EQ(ini, userDir + L"Staywick.Settings");
    EXPECT_FALSE(location.PortableMode());
    EXPECT_TRUE(IsDir(userDir));
    EXPECT_EQ(LoadOptions(profile, ini), TStaywickOptions{});
    EXPECT_EQ(::GetFileAttributesW(ini.c_str()), INVALID_FILE_ATTRIBUTES);
    SaveOptions(profile, ini, TStaywickOptions{});
    EXPECT_TRUE(test::FileExists(ini));
}

TEST(Win32Files, AnswersForTheRealSystem) {
    win32::Win32Files files;
    const std::wstring folder = files.ExecutableFolder();
    EXPECT_EQ(folder, test::TestBinDir() + L"\\");
    EXPECT_TRUE(files.DirectoryExists(folder));
    EXPECT_FALSE(files.FileExists(folder));
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_TRUE(files.FileExists(self));
    EXPECT_FALSE(files.DirectoryExists(self));
    EXPECT_FALSE(files.FileExists(folder + L"no such file"));

    const auto user = files.AppDataFolder(false);
    ASSERT_TRUE(user);
    EXPECT_TRUE(files.DirectoryExists(*user));
    EXPECT_NE(user->find(L"AppData\\Roaming"), std::wstring::npos);
    const auto common = files.AppDataFolder(true);
    ASSERT_TRUE(common);
    EXPECT_NE(*common, *user);
    EXPECT_TRUE(files.DirectoryExists(*common));

    EXPECT_TRUE(files.DriveAvailable(L'C'));
    EXPECT_FALSE(files.DriveAvailable(L'Q')) << "no drive Q: in the test prefix";
}

UINT g_modeDuringQuery = 0;
BOOL WINAPI RecordingDiskQuery(LPCWSTR root, PULARGE_INTEGER a, PULARGE_INTEGER b,
                               PULARGE_INTEGER c) {
    g_modeDuringQuery = ::GetErrorMode();
    return ::GetDiskFreeSpaceExW(root, a, b, c);
}

TEST(Win32Files, TheDriveQueryRunsWithoutCriticalErrorBoxesAndRestoresTheMode) {
    const UINT before = ::SetErrorMode(SEM_NOOPENFILEERRORBOX);
    win32::Win32Files files(nullptr, &RecordingDiskQuery);
    for (wchar_t drive : {L'C', L'Q'}) {
        g_modeDuringQuery = 0;
        files.DriveAvailable(drive);
        EXPECT_EQ(g_modeDuringQuery, static_cast<UINT>(SEM_FAILCRITICALERRORS));
        EXPECT_EQ(::GetErrorMode(), static_cast<UINT>(SEM_NOOPENFILEERRORBOX));
    }
    ::SetErrorMode(before);
}

} // namespace
} // namespace staywick
