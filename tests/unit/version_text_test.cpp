// The About window's version line and the failure text of the version query.
#include "common/version_text.h"

#include <gtest/gtest.h>

namespace staywick {
namespace {

struct VersionCase {
    const wchar_t* input;
    const wchar_t* shown;
};

class FormatVersionTextTable : public ::testing::TestWithParam<VersionCase> {};

TEST_P(FormatVersionTextTable, GivesTheDisplayForm) {
    EXPECT_EQ(FormatVersionText(GetParam().input), GetParam().shown) << GetParam().input;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatVersionTextTable,
    ::testing::Values(
        VersionCase{.input = L"1.1.0.0", .shown = L"1.1 (64-bit)"},
        VersionCase{.input = L"2.0.1.0", .shown = L"2.01 (64-bit)"},
        VersionCase{.input = L"3.4.0.2", .shown = L"3.4 SR2 (64-bit)"},
        VersionCase{.input = L"10.3.12.7", .shown = L"10.312 SR7 (64-bit)"},
        VersionCase{.input = L"1.1.2.0", .shown = L"1.12 (64-bit)"},
        VersionCase{.input = L"1.1.2.3", .shown = L"1.12 SR3 (64-bit)"},
        VersionCase{.input = L"1.1.0.5", .shown = L"1.1 SR5 (64-bit)"},
        VersionCase{.input = L"65535.65535.65535.65535",
                    .shown = L"65535.6553565535 SR65535 (64-bit)"},
        VersionCase{.input = L"1.1.0", .shown = L""},
        VersionCase{.input = L"1.1.0.0.0", .shown = L""}, VersionCase{.input = L"", .shown = L""},
        VersionCase{.input = L"1.1.0.", .shown = L""},
        // An empty part is not a number.
        VersionCase{.input = L"1..0.0", .shown = L""},
        // Four parts, one of them not a number.
        VersionCase{.input = L"1.a.0.0", .shown = L""},
        VersionCase{.input = L"1.1.0.0b", .shown = L""},
        // A failure text without a full stop is one part.
        VersionCase{.input = L"GetFileVersionInfo failed: (2) File not found", .shown = L""},
        // Three full stops in a failure text make four parts, none a number.
        VersionCase{.input = L"GetFileVersionInfo failed: (5) a. b. c", .shown = L""}));

TEST(FileVersionNumbers, HighThenLowWordOfEachDoubleWord) {
    EXPECT_EQ(FileVersionNumbers(0x00010001, 0x00000000), L"1.1.0.0");
    EXPECT_EQ(FileVersionNumbers(0x000A0003, 0x000C0007), L"10.3.12.7");
    EXPECT_EQ(FileVersionNumbers(0xFFFFFFFF, 0xFFFF0000), L"65535.65535.65535.0");
}

TEST(VersionFailureText, TrimsControlCharactersBlanksAndFullStops) {
    EXPECT_EQ(VersionFailureText(1813, L"The specified resource type cannot be found in the image "
                                       L"file.\r\n"),
              L"GetFileVersionInfo failed: (1813) The specified resource type cannot be found in "
              L"the image file");
    EXPECT_EQ(VersionFailureText(2, L"File not found. \t. \r\n"),
              L"GetFileVersionInfo failed: (2) File not found");
    EXPECT_EQ(VersionFailureText(-1, L""), L"GetFileVersionInfo failed: (-1) ");
    // Only the tail is touched.
    EXPECT_EQ(TrimMessageTail(L" a.b\tc!\r\n"), L" a.b\tc!");
    EXPECT_EQ(TrimMessageTail(L".\r\n . "), L"");
}

} // namespace
} // namespace staywick
