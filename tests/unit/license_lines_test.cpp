// The license agreement's lines and the text written to the temporary file.
#include "license/license_lines.h"

#include <gtest/gtest.h>

namespace staywick {
namespace {

TEST(LicenseLines, SplitsAnyLineBreakAndJoinsWithCrLf) {
    const auto lines = SplitLines(L"{\\rtf1\r\nA\nB\rC\r\n\r\nD");
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"{\\rtf1", L"A", L"B", L"C", L"", L"D"}));
    EXPECT_EQ(JoinLinesCrLf(lines), L"{\\rtf1\r\nA\r\nB\r\nC\r\n\r\nD\r\n");
    EXPECT_EQ(SplitLines(L"x\r\n"), std::vector<std::wstring>{L"x"});
    EXPECT_TRUE(SplitLines(L"").empty());
    EXPECT_EQ(JoinLinesCrLf({}), L"");
}

} // namespace
} // namespace staywick
