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
        IntegerCase{.text = L"0x0A", .parsed = 10}, IntegerCase{.text = L"$a", .parsed = 10},
        IntegerCase{.text = L"x1F", .parsed = 31}, IntegerCase{.text = L"X1f", .parsed = 31},
        IntegerCase{.text = L"0XfF", .parsed = 255}, IntegerCase{.text = L"-$10", .parsed = -16},
        IntegerCase{.text = L"+0x10", .parsed = 16}, IntegerCase{.text = L"  $7", .parsed = 7},
        // a prefix without digits, or a prefix twice
        IntegerCase{.text = L"0X", .parsed = std::nullopt},
        IntegerCase{.text = L"$", .parsed = std::nullopt},
        IntegerCase{.text = L"x", .parsed = std::nullopt},
        IntegerCase{.text = L"-$", .parsed = std::nullopt},
        IntegerCase{.text = L"$0x1", .parsed = std::nullopt},
        IntegerCase{.text = L"$G", .parsed = std::nullopt},
        // eight significant digits are a 32-bit pattern; a ninth is too many
        IntegerCase{.text = L"$FFFFFFFF", .parsed = -1},
        IntegerCase{.text = L"$7FFFFFFF", .parsed = kMax},
        IntegerCase{.text = L"$80000000", .parsed = kMin},
        IntegerCase{.text = L"-$80000000", .parsed = kMin},
        IntegerCase{.text = L"-$FFFFFFFF", .parsed = 1},
        IntegerCase{.text = L"$00000000FF", .parsed = 255},
        IntegerCase{.text = L"$100000000", .parsed = std::nullopt},
        IntegerCase{.text = L"0x123456789", .parsed = std::nullopt},
        // decimal
        IntegerCase{.text = L"+5", .parsed = 5}, IntegerCase{.text = L"  7", .parsed = 7},
        IntegerCase{.text = L"-4", .parsed = -4}, IntegerCase{.text = L"00012", .parsed = 12},
        IntegerCase{.text = L"0", .parsed = 0}, IntegerCase{.text = L"-0", .parsed = 0},
        IntegerCase{.text = L"2147483647", .parsed = kMax},
        IntegerCase{.text = L"-2147483648", .parsed = kMin},
        IntegerCase{.text = L"2147483648", .parsed = std::nullopt},
        IntegerCase{.text = L"-2147483649", .parsed = std::nullopt},
        IntegerCase{.text = L"99999999999999999999", .parsed = std::nullopt},
        IntegerCase{.text = L"000000000000002147483647", .parsed = kMax},
        // anything but spaces in front, or anything after the digits
        IntegerCase{.text = L"- 5", .parsed = std::nullopt},
        IntegerCase{.text = L"1 ", .parsed = std::nullopt},
        IntegerCase{.text = L"10min", .parsed = std::nullopt},
        IntegerCase{.text = L"", .parsed = std::nullopt},
        IntegerCase{.text = L"   ", .parsed = std::nullopt},
        IntegerCase{.text = L"\t7", .parsed = std::nullopt},
        IntegerCase{.text = L"+-5", .parsed = std::nullopt},
        IntegerCase{.text = L"--5", .parsed = std::nullopt},
        IntegerCase{.text = L"+", .parsed = std::nullopt},
        IntegerCase{.text = L"1.5", .parsed = std::nullopt},
        IntegerCase{.text = L"1e3", .parsed = std::nullopt},
        IntegerCase{.text = L"0b1", .parsed = std::nullopt},
        IntegerCase{.text = L"\x0661", .parsed = std::nullopt} /* an Arabic-Indic digit one */));

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
    ::testing::Values(BooleanCase{.text = L"2", .defaultValue = false, .read = true},
                      BooleanCase{.text = L"1", .defaultValue = false, .read = true},
                      BooleanCase{.text = L"-1", .defaultValue = false, .read = true},
                      BooleanCase{.text = L"$FFFFFFFF", .defaultValue = false, .read = true},
                      BooleanCase{.text = L"0", .defaultValue = true, .read = false},
                      BooleanCase{.text = L"$0", .defaultValue = true, .read = false},
                      BooleanCase{.text = L"True", .defaultValue = true, .read = true},
                      BooleanCase{.text = L"True", .defaultValue = false, .read = false},
                      BooleanCase{.text = L"", .defaultValue = true, .read = true},
                      BooleanCase{.text = L"", .defaultValue = false, .read = false},
                      BooleanCase{.text = L"yes", .defaultValue = false, .read = false}));

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
