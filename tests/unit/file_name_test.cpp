// File names compared as the file system compares them: upper case by the
// system's table, beyond the letters A to Z, and the order that follows.
#include "cases/file_name_cases.h"
#include "platform/process_watch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace staywick {
namespace {

class FileNames : public ::testing::TestWithParam<test::FileNameCase> {};

TEST_P(FileNames, AreTheSameWhateverTheirCase) {
    const test::FileNameCase& c = GetParam();
    EXPECT_EQ(SameFileName(c.a, c.b), c.same);
    EXPECT_EQ(SameFileName(c.b, c.a), c.same);
    EXPECT_EQ(!FileNameLess(c.a, c.b) && !FileNameLess(c.b, c.a), c.same) << "the order agrees";
}

INSTANTIATE_TEST_SUITE_P(Table, FileNames, ::testing::ValuesIn(test::kFileNameCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FileNameOrder, SortsByUpperCase) {
    // Upper case, as the file system sorts: "_" (0x5F) comes after "Z" (0x5A)
    // and so after "b.exe" too.
    std::vector<std::wstring> names = {L"_x.exe", L"\u03C9.exe", L"b.exe", L"A.exe", L"\u00E9.exe"};
    std::sort(names.begin(), names.end(), FileNameLess);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"A.exe", L"b.exe", L"_x.exe", L"\u00E9.exe",
                                                L"\u03C9.exe"}));
}

} // namespace
} // namespace staywick
