// The integer grammar and the Boolean rule of one settings value, and the
// text each value is written as.
#include "settings/value_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>

namespace staywick {
namespace {

constexpr std::int32_t kDefault = 3; // the default of "DontLetSleepMoreThen"

struct IntegerCase {
    const wchar_t* text;
    std::optional<std::int32_t> parsed; // nothing: the key's default is used
};

void PrintTo(const IntegerCase& c, std::ostream* os) {
    *os << '"';
    for (const wchar_t* p = c.text; *p; ++p) {
        if (*p == L'\t')
            *os << "\\t";
        else
            *os << static_cast<char>(*p);
    }
    *os << '"';
}

class IntegerGrammar : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerGrammar, ParsesOrFallsBackToTheDefault) {
    const IntegerCase& c = GetParam();
    EXPECT_EQ(ParseInteger(c.text), c.parsed);
    EXPECT_EQ(ReadInteger(c.text, kDefault), c.parsed.value_or(kDefault));
}

constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
constexpr auto kMax = std::numeric_limits<std::int32_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Table, IntegerGrammar,
    ::testing::Values(
        // hexadecimal in each of its five introductions
        IntegerCase{L"0x0A", 10}, IntegerCase{L"$a", 10}, IntegerCase{L"x1F", 31},
        IntegerCase{L"X1f", 31}, IntegerCase{L"0XfF", 255}, IntegerCase{L"-$10", -16},
        IntegerCase{L"+0x10", 16}, IntegerCase{L"  $7", 7},
        // a prefix without digits, or a prefix twice
        IntegerCase{L"0X", std::nullopt}, IntegerCase{L"$", std::nullopt},
        IntegerCase{L"x", std::nullopt}, IntegerCase{L"-$", std::nullopt},
        IntegerCase{L"$0x1", std::nullopt}, IntegerCase{L"$G", std::nullopt},
        // eight significant digits are a 32-bit pattern; a ninth is too many
        IntegerCase{L"$FFFFFFFF", -1}, IntegerCase{L"$7FFFFFFF", kMax},
        IntegerCase{L"$80000000", kMin}, IntegerCase{L"-$80000000", kMin},
        IntegerCase{L"-$FFFFFFFF", 1}, IntegerCase{L"$00000000FF", 255},
        IntegerCase{L"$100000000", std::nullopt}, IntegerCase{L"0x123456789", std::nullopt},
        // decimal
        IntegerCase{L"+5", 5}, IntegerCase{L"  7", 7}, IntegerCase{L"-4", -4},
        IntegerCase{L"00012", 12}, IntegerCase{L"0", 0}, IntegerCase{L"-0", 0},
        IntegerCase{L"2147483647", kMax}, IntegerCase{L"-2147483648", kMin},
        IntegerCase{L"2147483648", std::nullopt}, IntegerCase{L"-2147483649", std::nullopt},
        IntegerCase{L"99999999999999999999", std::nullopt},
        IntegerCase{L"000000000000002147483647", kMax},
        // anything but spaces in front, or anything after the digits
        IntegerCase{L"- 5", std::nullopt}, IntegerCase{L"1 ", std::nullopt},
        IntegerCase{L"10min", std::nullopt}, IntegerCase{L"", std::nullopt},
        IntegerCase{L"   ", std::nullopt}, IntegerCase{L"\t7", std::nullopt},
        IntegerCase{L"+-5", std::nullopt}, IntegerCase{L"--5", std::nullopt},
        IntegerCase{L"+", std::nullopt}, IntegerCase{L"1.5", std::nullopt},
        IntegerCase{L"1e3", std::nullopt}, IntegerCase{L"0b1", std::nullopt},
        IntegerCase{L"\x0661", std::nullopt} /* an Arabic-Indic digit one */));

TEST(IntegerGrammar, AStrayCharacterAnywhereGivesTheDefault) {
    // A null inside the text is no end: the digits must run to the real end.
    EXPECT_EQ(ParseInteger(std::wstring_view(L"12\0"
                                             L"3",
                                             4)),
              std::nullopt);
    EXPECT_EQ(ParseInteger(std::wstring_view(L"\0"
                                             L"12",
                                             3)),
              std::nullopt);
}

struct BooleanCase {
    const wchar_t* text;
    bool defaultValue;
    bool read;
};

class BooleanRule : public ::testing::TestWithParam<BooleanCase> {};

TEST_P(BooleanRule, NonZeroIntegerIsTrue) {
    EXPECT_EQ(ReadBoolean(GetParam().text, GetParam().defaultValue), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BooleanRule,
    ::testing::Values(BooleanCase{L"2", false, true}, BooleanCase{L"1", false, true},
                      BooleanCase{L"-1", false, true}, BooleanCase{L"$FFFFFFFF", false, true},
                      BooleanCase{L"0", true, false}, BooleanCase{L"$0", true, false},
                      BooleanCase{L"True", true, true}, BooleanCase{L"True", false, false},
                      BooleanCase{L"", true, true}, BooleanCase{L"", false, false},
                      BooleanCase{L"yes", false, false}));

TEST(ValueText, PlainDecimalAndOneOrZero) {
    EXPECT_EQ(IntegerText(0), L"0");
    EXPECT_EQ(IntegerText(30), L"30");
    EXPECT_EQ(IntegerText(-4), L"-4");
    EXPECT_EQ(IntegerText(kMin), L"-2147483648");
    EXPECT_EQ(IntegerText(kMax), L"2147483647");
    EXPECT_EQ(BooleanText(true), L"1");
    EXPECT_EQ(BooleanText(false), L"0");
    // What is written reads back as itself.
    for (std::int32_t v : {kMin, -1, 0, 1, 720, kMax})
        EXPECT_EQ(ParseInteger(IntegerText(v)), v);
}

} // namespace
} // namespace staywick
