// The picker's entries and the file name taken from a process's image path.
#include "platform/program_windows.h"

#include <gtest/gtest.h>

#include <string>

namespace staywick {
namespace {

TEST(ProgramWindows, EntryIsTitleDashFileName) {
    EXPECT_EQ(ProgramWindowEntry({L"Untitled - Notepad", L"notepad.exe", 4}),
              L"Untitled - Notepad \u2014 notepad.exe");
    EXPECT_EQ(ProgramWindowEntry({L"x", L"A.EXE", 0}), L"x \u2014 A.EXE");
}

TEST(ProgramWindows, FileNameIsWhatFollowsTheLastSeparator) {
    const std::pair<const wchar_t*, const wchar_t*> rows[] = {
        {L"C:\\Windows\\notepad.exe", L"notepad.exe"},
        {L"\\\\server\\share\\tools\\my app.exe", L"my app.exe"},
        {L"C:/Program Files/obs/obs64.exe", L"obs64.exe"},
        {L"notepad.exe", L"notepad.exe"},
        {L"C:\\folder\\", L""},
        {L"", L""},
    };
    for (const auto& [path, name] : rows)
        EXPECT_EQ(FileNameOfPath(path), name) << std::wstring(path).size();
}

} // namespace
} // namespace staywick
