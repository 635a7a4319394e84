// DecimalText against the standard library's own formatting, over the edges
// of every integer width and a sweep of ordinary values.
#include "common/decimal_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace staywick {
namespace {

template <typename Int> void ExpectEdgesMatchTheStandardLibrary() {
    using L = std::numeric_limits<Int>;
    for (Int v : {L::min(), static_cast<Int>(L::min() + 1), Int{0}, Int{1}, Int{9}, Int{10},
                  static_cast<Int>(L::max() - 1), L::max()}) {
        EXPECT_EQ(DecimalText(v), std::to_wstring(v)) << "value " << +v;
    }
}

TEST(DecimalText, EdgesOfEveryWidthMatchTheStandardLibrary) {
    ExpectEdgesMatchTheStandardLibrary<signed char>();
    ExpectEdgesMatchTheStandardLibrary<unsigned char>();
    ExpectEdgesMatchTheStandardLibrary<std::int16_t>();
    ExpectEdgesMatchTheStandardLibrary<std::uint16_t>();
    ExpectEdgesMatchTheStandardLibrary<std::int32_t>();
    ExpectEdgesMatchTheStandardLibrary<std::uint32_t>();
    ExpectEdgesMatchTheStandardLibrary<long>();
    ExpectEdgesMatchTheStandardLibrary<unsigned long>();
    ExpectEdgesMatchTheStandardLibrary<std::int64_t>();
    ExpectEdgesMatchTheStandardLibrary<std::uint64_t>();
}

TEST(DecimalText, KnownTexts) {
    struct Case {
        long long value;
        const wchar_t* text;
    };
    const Case cases[] = {{0, L"0"},
                          {5, L"5"},
                          {-5, L"-5"},
                          {100, L"100"},
                          {-2000, L"-2000"},
                          {86400000, L"86400000"},
                          {std::numeric_limits<long long>::min(), L"-9223372036854775808"}};
    for (const Case& c : cases)
        EXPECT_EQ(DecimalText(c.value), c.text);
    EXPECT_EQ(DecimalText(std::numeric_limits<unsigned long long>::max()), L"18446744073709551615");
}

TEST(DecimalText, ASweepMatchesTheStandardLibrary) {
    for (long long v = -100000; v <= 100000; v += 7)
        ASSERT_EQ(DecimalText(v), std::to_wstring(v));
    for (unsigned long long v = 1; v != 0 && v < (1ULL << 63); v = v * 3 + 1)
        ASSERT_EQ(DecimalText(v), std::to_wstring(v));
}

} // namespace
} // namespace staywick
