// The pseudo-locale's texts: accented, bracketed and 40% longer, with the
// access key, "&&", placeholders and line breaks as they were.
#include "common/pseudo_text.h"

#include <gtest/gtest.h>

#include <string>

namespace staywick {
namespace {

struct PseudoCase {
    const char* name;
    std::wstring text;
    std::wstring pseudo;
};

const PseudoCase kCases[] = {
    {.name = "Empty", .text = L"", .pseudo = L""},
    {.name = "ShortWordOnlyBrackets", .text = L"Key:", .pseudo = L"[\u0136\u00E9\u00FD:]"},
    {.name = "AccessKeyLetterKept",
     .text = L"&Cancel",
     .pseudo = L"[&C\u00E5\u00F1\u00E7\u00E9\u013C!]"},
    {.name = "DoubleAmpersandKept", .text = L"A && b", .pseudo = L"[\u00C5 && b]"},
    {.name = "FormatMessagePlaceholders",
     .text = L"%1 of %2!d!",
     .pseudo = L"[%1 \u00F6\u0192 %2!d!!!!]"},
    {.name = "PrintfPlaceholdersAndPercent",
     .text = L"%s at %5.2f%% %ls",
     .pseudo = L"[%s \u00E5\u0163 %5.2f%% %ls!!!!!]"},
    {.name = "LineBreakKeptAndNotCounted",
     .text = L"ab\r\ncd",
     .pseudo = L"[\u00E5b\r\n\u00E7\u00F0]"},
    {.name = "LonePercentAndTrailingAmpersand", .text = L"5 % &", .pseudo = L"[5 % &]"},
    {.name = "FortyPercentLongerRoundedUp",
     .text = L"Notify the system",
     .pseudo = L"[\u00D1\u00F6\u0163\u00EE\u0192\u00FD \u0163\u0125\u00E9 "
               L"\u0161\u00FD\u0161\u0163\u00E9m!!!!!]"},
};

class PseudoTextTest : public ::testing::TestWithParam<PseudoCase> {};

TEST_P(PseudoTextTest, AccentsPadsAndKeepsKeysAndPlaceholders) {
    EXPECT_EQ(PseudoText(GetParam().text), GetParam().pseudo);
}

INSTANTIATE_TEST_SUITE_P(Texts, PseudoTextTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PseudoText, IsAtLeastFortyPercentLongerForEveryLength) {
    for (std::size_t n = 1; n <= 60; ++n) {
        const std::wstring text(n, L'x');
        EXPECT_GE(PseudoText(text).size() * 10, n * 14) << n;
        EXPECT_LE(PseudoText(text).size(), n + (n * 4 + 9) / 10 + 2) << n;
    }
}

} // namespace
} // namespace staywick
