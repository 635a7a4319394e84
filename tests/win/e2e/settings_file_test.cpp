// The settings file with the real Staywick.exe: the portable file is used and
// a start-up save keeps the rest of it, a refused write shows the error box
// with the settings path and the program goes on, and with no file anywhere
// the per-user folder is created but no file is written.
#include "win/common/process_helpers.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

namespace staywick::test {
namespace {

// "ActivateFor" 7 matches no "Activate for" entry, so start-up sets it to 0
// and saves: the first write the program makes without a user.
const std::string kPrepared = "[Window]\r\n"
                              "Left=12\r\n"
                              "[General]\r\n"
                              "ActivateFor=7\r\n"
                              "InputKey=1\r\n";

std::wstring PerUserFolder() {
    wchar_t appData[MAX_PATH + 1] = {};
    ::SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, TRUE);
    return std::wstring(appData) + L"\\Tessaro\\Staywick";
}

bool IsDir(const std::wstring& path) {
    const DWORD a = ::GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// The error report box of another process, read and dismissed with OK.
std::optional<SeenMessageBox> DismissErrorBox(DWORD timeoutMs) {
    auto seen = WaitForMessageBox(L"Staywick", timeoutMs);
    if (!seen)
        return std::nullopt;
    ::PostMessageW(seen->box, WM_COMMAND, IDOK, 0);
    WaitUntil(5000, [&] { return !::IsWindow(seen->box); });
    return seen;
}

using SettingsFileE2e = PortableInstallTest;

TEST_F(SettingsFileE2e, ThePortableFileIsUsedAndAStartUpSaveKeepsTheRestOfIt) {
    const std::wstring perUserFile = PerUserFolder() + L"\\Staywick.Settings";
    const bool perUserBefore = FileExists(perUserFile);
    const std::string perUserBytes = perUserBefore ? ReadFileBytes(perUserFile) : "";
    WriteFileBytes(SettingsPath(), kPrepared);

    Process p = Process::Start(exe_);
    // The save writes its values one by one while the window is created; it
    // is complete once the start-up step, which comes later, has run.
    ASSERT_NE(WaitForStartUp(p.Id()), nullptr);
    const std::string after = ReadFileBytes(SettingsPath());
    ASSERT_NE(after.find("ActivateFor=0\r\n"), std::string::npos) << after;
    EXPECT_EQ(after.rfind("[Window]\r\nLeft=12\r\n[General]\r\n", 0), 0u) << after;
    EXPECT_NE(after.find("InputKey=1\r\n"), std::string::npos) << "a loaded value is saved back";
    EXPECT_LT(after.find("ActivateFor=0"), after.find("InputKey=1")) << "kept in its place";
    for (const char* key : {"Active=", "DontLetSleepMoreThen=", "AutoStopped=", "NotifySystem="}) {
        EXPECT_NE(after.find(key), std::string::npos) << key;
    }
    EXPECT_EQ(FileExists(perUserFile), perUserBefore);
    if (perUserBefore) {
        EXPECT_EQ(ReadFileBytes(perUserFile), perUserBytes);
    }
}

TEST_F(SettingsFileE2e, ARefusedWriteShowsTheErrorWithThePathAndTheProgramGoesOn) {
    WriteFileBytes(SettingsPath(), kPrepared);
    // Held open without write sharing: the profile API can read but not write.
    HANDLE hold = ::CreateFileW(SettingsPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hold, INVALID_HANDLE_VALUE);

    Process p = Process::Start(exe_);
    const auto box = DismissErrorBox(10000);
    ASSERT_TRUE(box) << "no error box";
    EXPECT_EQ(box->caption, L"Staywick");
    EXPECT_EQ(box->text, L"Unable to write to " + SettingsPath() + L".");

    // The program goes on: back in its loop, it answers.
    const HWND main = WaitForMainWindow(5000);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(SyncWithWindow(main));
    EXPECT_TRUE(p.Running());
    ::CloseHandle(hold);
    EXPECT_EQ(ReadFileBytes(SettingsPath()), kPrepared);
}

// Moves the per-user settings file aside (and removes the folders if that
// empties them) for a test's life; puts it back however the test ends.
class PerUserFileAside {
public:
    PerUserFileAside(std::wstring folder, std::wstring aside)
        : folder_(std::move(folder)), aside_(std::move(aside)) {
        had_ = FileExists(File()) && ::MoveFileW(File().c_str(), aside_.c_str());
        ::RemoveDirectoryW(folder_.c_str());
        ::RemoveDirectoryW(folder_.substr(0, folder_.find_last_of(L'\\')).c_str());
    }
    ~PerUserFileAside() {
        if (!had_)
            return;
        ::SHCreateDirectoryExW(nullptr, folder_.c_str(), nullptr);
        ::MoveFileExW(aside_.c_str(), File().c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    PerUserFileAside(const PerUserFileAside&) = delete;
    PerUserFileAside& operator=(const PerUserFileAside&) = delete;

    std::wstring File() const { return folder_ + L"\\Staywick.Settings"; }
    bool Moved() const { return had_ || !FileExists(File()); }

private:
    std::wstring folder_, aside_;
    bool had_ = false;
};

TEST_F(SettingsFileE2e, NoFileAnywhereCreatesThePerUserFolderAndWritesNoFile) {
    const PerUserFileAside aside(PerUserFolder(), dir_.File(L"per-user.aside"));
    ASSERT_TRUE(aside.Moved()) << "the per-user file could not be moved aside";

    Process p = Process::Start(exe_);
    EXPECT_NE(WaitForStartUp(p.Id()), nullptr) << "start-up has run its course";
    EXPECT_TRUE(IsDir(PerUserFolder()));
    EXPECT_TRUE(p.Running());
    CloseRunningStaywick();
    EXPECT_FALSE(FileExists(aside.File())) << "loading never writes the file";
    EXPECT_FALSE(FileExists(SettingsPath()));
}

} // namespace
} // namespace staywick::test
