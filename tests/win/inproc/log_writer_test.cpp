// AppendLineToFile, the activity log's writer: new and existing files, the
// errors for a path where no file can be made or opened, and a file whose
// end cannot be reached, which must not be written at its start.
#include "common/app_error.h"
#include "common/win32/append_line.h"
#include "win/common/process_helpers.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

namespace staywick::test {
namespace {

class LogWriterTest : public ::testing::Test {
protected:
    std::wstring ErrorOf(const std::wstring& path) {
        try {
            AppendLineToFile(path, L"line");
        } catch (const AppError& e) {
            return e.Text();
        }
        return L"(no error)";
    }
    TempDir temp_;
};

TEST_F(LogWriterTest, CreatesThenAppendsUtf8LinesWithoutAMark) {
    const std::wstring path = temp_.File(L"Staywick.log");
    AppendLineToFile(path, L"first");
    AppendLineToFile(path, L"zweite \x00FC");
    EXPECT_EQ(ReadFileBytes(path), "first\r\nzweite \xC3\xBC\r\n");
}

struct FailingPath {
    const char* name;
    const wchar_t* setUp; // "folder": a folder at the path; "missing": no parent folder
    const wchar_t* start;
};

class LogWriterFailure : public LogWriterTest, public ::testing::WithParamInterface<FailingPath> {};

TEST_P(LogWriterFailure, ReportsCannotCreate) {
    std::wstring path = temp_.File(L"Staywick.log");
    if (std::wstring(GetParam().setUp) == L"folder")
        ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr));
    else
        path = temp_.File(L"missing\\Staywick.log");
    const std::wstring error = ErrorOf(path);
    const std::wstring expected = std::wstring(GetParam().start) + path + L"\". ";
    EXPECT_EQ(error.substr(0, expected.size()), expected) << error;
    EXPECT_GT(error.size(), expected.size()) << "the system's text follows";
}

INSTANTIATE_TEST_SUITE_P(Paths, LogWriterFailure,
                         ::testing::Values(
                             // A folder is no file: like any other path where none can be made.
                             FailingPath{.name = "FolderAtThePath",
                                         .setUp = L"folder",
                                         .start = L"Cannot create file \""},
                             FailingPath{.name = "MissingFolder",
                                         .setUp = L"missing",
                                         .start = L"Cannot create file \""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogWriterTest, AFileThatCannotBeOpenedForWritingIsReported) {
    const std::wstring path = temp_.File(L"Staywick.log");
    WriteFileBytes(path, "kept\r\n");
    // Held without write sharing: the writer cannot open it.
    HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::wstring error = ErrorOf(path);
    ::CloseHandle(held);
    const std::wstring expected = L"Cannot open file \"" + path + L"\". ";
    EXPECT_EQ(error.substr(0, expected.size()), expected) << error;
    EXPECT_EQ(ReadFileBytes(path), "kept\r\n");
}

// A pipe opens like a file but has no end to move to: the line must not be
// written at all (for a file it would land on the log's first bytes).
TEST_F(LogWriterTest, AFailedMoveToTheEndWritesNothing) {
    const std::wstring name =
        L"\\\\.\\pipe\\staywick-log-test-" + std::to_wstring(::GetCurrentProcessId());
    HANDLE pipe = ::CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND,
                                     PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_NOWAIT, 1, 4096,
                                     4096, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    ::ConnectNamedPipe(pipe, nullptr);
    LARGE_INTEGER zero{};
    HANDLE probe =
        ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(probe, INVALID_HANDLE_VALUE);
    const bool seekFails = !::SetFilePointerEx(probe, zero, nullptr, FILE_END);
    ::CloseHandle(probe);
    ::DisconnectNamedPipe(pipe);
    if (!seekFails) {
        ::CloseHandle(pipe);
        GTEST_SKIP() << "this system moves a pipe's position";
    }
    ::ConnectNamedPipe(pipe, nullptr);
    const std::wstring error = ErrorOf(name);
    const std::wstring expected = L"Cannot open file \"" + name + L"\". ";
    EXPECT_EQ(error.substr(0, expected.size()), expected) << error;
    char buffer[64];
    DWORD got = 0;
    const BOOL read = ::ReadFile(pipe, buffer, sizeof(buffer), &got, nullptr);
    EXPECT_TRUE(!read || got == 0) << "the line was written: " << std::string(buffer, got);
    ::CloseHandle(pipe);
}

} // namespace
} // namespace staywick::test
