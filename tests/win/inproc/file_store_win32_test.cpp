// The settings file's replace on the real file system: the new bytes take
// the file's place in one step, a reader that holds the file for a moment is
// waited for, one that never lets go or a read-only file leaves the file as
// it was, and no temporary file stays behind.
#include "cases/file_name_cases.h"
#include "platform/process_watch.h"
#include "platform/win32/file_store_win32.h"
#include "win/common/process_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace staywick {
namespace {

using test::FileExists;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

class FileStoreWin32 : public ::testing::Test {
protected:
    // A handle that reads the file as a C runtime stream does: without
    // FILE_SHARE_DELETE, so Windows refuses to replace the file meanwhile.
    HANDLE OpenAsAReader() const {
        return ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }

    TempDir dir;
    const std::wstring path = dir.File(L"Staywick.Settings");
    std::vector<int> waits;
    win32::Win32FileStore store{[this](int attempt) { waits.push_back(attempt); }};
};

TEST_F(FileStoreWin32, ReplacesTheFileAndLeavesNoTemporaryFile) {
    EXPECT_FALSE(store.Load(path).exists);
    ASSERT_TRUE(store.Replace(path, "[General]\r\nActive=1\r\n"));
    ASSERT_TRUE(store.Replace(path, "[General]\r\nActive=0\r\n"));
    const StoredFile file = store.Load(path);
    EXPECT_TRUE(file.exists && file.readable);
    EXPECT_EQ(file.bytes, "[General]\r\nActive=0\r\n");
    EXPECT_EQ(test::ListFiles(dir.Path()), std::vector<std::wstring>{L"Staywick.Settings"});
    EXPECT_TRUE(waits.empty());
}

// A reader without FILE_SHARE_DELETE makes the move fail: the new bytes
// come as another file, not written into the old one.
TEST_F(FileStoreWin32, AReaderThatLetsGoIsWaitedFor) {
    WriteFileBytes(path, "old");
    HANDLE reader = OpenAsAReader();
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    win32::Win32FileStore patient{[&](int attempt) {
        waits.push_back(attempt);
        ::CloseHandle(std::exchange(reader, INVALID_HANDLE_VALUE));
    }};
    EXPECT_TRUE(patient.Replace(path, "new"));
    EXPECT_EQ(waits, std::vector<int>{1}) << "the first attempt meets the reader";
    EXPECT_EQ(ReadFileBytes(path), "new");
    if (reader != INVALID_HANDLE_VALUE)
        ::CloseHandle(reader);
}

TEST_F(FileStoreWin32, AReaderThatNeverLetsGoLeavesTheFileAsItWas) {
    WriteFileBytes(path, "old");
    HANDLE reader = OpenAsAReader();
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(store.Replace(path, "new"));
    ::CloseHandle(reader);
    EXPECT_EQ(waits, (std::vector<int>{1, 2, 3, 4, 5, 6, 7})) << "eight attempts";
    EXPECT_EQ(ReadFileBytes(path), "old");
    EXPECT_FALSE(FileExists(path + L".tmp"));
}

// Windows refuses to write a read-only file; Wine running as root would
// write it, so the store asks first.
TEST_F(FileStoreWin32, AReadOnlyFileIsRefusedAtOnce) {
    WriteFileBytes(path, "old");
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(store.Replace(path, "new"));
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(path), "old");
    EXPECT_TRUE(waits.empty());
    EXPECT_FALSE(FileExists(path + L".tmp"));
}

TEST_F(FileStoreWin32, AMissingFolderOrAFolderInThePlaceIsRefused) {
    EXPECT_FALSE(store.Replace(dir.File(L"missing\\Staywick.Settings"), "x"));
    ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr));
    EXPECT_FALSE(store.Replace(path, "x"));
    const StoredFile folder = store.Load(path);
    EXPECT_TRUE(folder.exists);
    EXPECT_FALSE(folder.readable);
}

// The same table as the native stand-in's, against CompareStringOrdinal.
class FileNamesWin32 : public ::testing::TestWithParam<test::FileNameCase> {};

TEST_P(FileNamesWin32, AreTheSameWhateverTheirCase) {
    const test::FileNameCase& c = GetParam();
    EXPECT_EQ(SameFileName(c.a, c.b), c.same);
    EXPECT_EQ(!FileNameLess(c.a, c.b) && !FileNameLess(c.b, c.a), c.same);
}

INSTANTIATE_TEST_SUITE_P(Table, FileNamesWin32, ::testing::ValuesIn(test::kFileNameCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace staywick
