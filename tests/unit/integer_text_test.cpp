// The strict digit grammar shared by the command line and the one-shot's
// process id: digits only, a digit limit, and 32 bits at the most.
#include "common/integer_text.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace staywick {
namespace {

struct DigitsRow {
    const char* name;
    std::wstring_view text;
    std::size_t maxDigits;
    std::optional<std::uint32_t> parsed;
};

TEST(ParseDigits, DigitsOnlyWithinTheLimitAnd32Bits) {
    constexpr std::size_t kAny = std::wstring_view::npos;
    const DigitsRow rows[] = {
        {.name = "one digit", .text = L"7", .maxDigits = 2, .parsed = 7},
        {.name = "at the digit limit", .text = L"59", .maxDigits = 2, .parsed = 59},
        {.name = "over the digit limit", .text = L"123", .maxDigits = 2, .parsed = {}},
        {.name = "leading zeros count as digits", .text = L"0045", .maxDigits = 4, .parsed = 45},
        {.name = "leading zeros over the limit", .text = L"00045", .maxDigits = 4, .parsed = {}},
        {.name = "empty", .text = L"", .maxDigits = 2, .parsed = {}},
        {.name = "plus sign", .text = L"+5", .maxDigits = 2, .parsed = {}},
        {.name = "minus sign", .text = L"-5", .maxDigits = 2, .parsed = {}},
        {.name = "leading blank", .text = L" 5", .maxDigits = 2, .parsed = {}},
        {.name = "trailing blank", .text = L"5 ", .maxDigits = 2, .parsed = {}},
        {.name = "hexadecimal prefix", .text = L"$1", .maxDigits = 2, .parsed = {}},
        {.name = "letter after digits", .text = L"12a", .maxDigits = kAny, .parsed = {}},
        {.name = "fullwidth digit", .text = L"\xFF11", .maxDigits = kAny, .parsed = {}},
        {.name = "zero", .text = L"0", .maxDigits = kAny, .parsed = 0},
        {.name = "largest 32-bit value",
         .text = L"4294967295",
         .maxDigits = kAny,
         .parsed = 4294967295u},
        {.name = "one past 32 bits", .text = L"4294967296", .maxDigits = kAny, .parsed = {}},
        {.name = "far past 32 bits", .text = L"99999999999", .maxDigits = kAny, .parsed = {}},
        {.name = "many leading zeros, no limit",
         .text = L"000000000012",
         .maxDigits = kAny,
         .parsed = 12},
    };
    for (const DigitsRow& row : rows)
        EXPECT_EQ(ParseDigits(row.text, row.maxDigits), row.parsed) << row.name;
}

} // namespace
} // namespace staywick
