// The Options dialog's numeric field: typing, reading, stepping, bounding.
#include "settings/spin_value.h"

#include <gtest/gtest.h>

namespace staywick {
namespace {

TEST(SpinField, TypedCharacters) {
    for (wchar_t c : std::wstring(L"0123456789+-,"))
        EXPECT_TRUE(IsSpinCharAllowed(c, L",")) << int(c);
    for (wchar_t c : {L'\b', wchar_t{0x16} /* Ctrl+V */, wchar_t{0x03}, L'\r', wchar_t{0x1B}}) {
        EXPECT_TRUE(IsSpinCharAllowed(c, L".")) << int(c);
    }
    for (wchar_t c : std::wstring(L"aZ x$e*/"))
        EXPECT_FALSE(IsSpinCharAllowed(c, L".")) << int(c);
    // The separator is the locale's: "." is refused where the separator is ",".
    EXPECT_FALSE(IsSpinCharAllowed(L'.', L","));
    EXPECT_TRUE(IsSpinCharAllowed(L'.', L"."));
}

struct ReadCase {
    const wchar_t* text;
    std::int32_t value;  // read anywhere
    bool singular;       // "Minute"
    const wchar_t* blur; // text after losing the focus, nullptr: unchanged
};

class SpinRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(SpinRead, ValueLabelAndFocusLoss) {
    const auto& c = GetParam();
    EXPECT_EQ(SpinValue(c.text), c.value);
    EXPECT_EQ(SpinShowsSingular(c.text), c.singular);
    const auto blurred = SpinTextOnFocusLoss(c.text);
    if (c.blur) {
        ASSERT_TRUE(blurred.has_value());
        EXPECT_EQ(*blurred, c.blur);
    } else {
        EXPECT_FALSE(blurred.has_value()) << *blurred;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SpinRead,
    ::testing::Values(
        ReadCase{.text = L"3", .value = 3, .singular = false, .blur = nullptr},
        ReadCase{.text = L"1", .value = 1, .singular = true, .blur = nullptr},
        ReadCase{.text = L"9999", .value = 9999, .singular = false, .blur = nullptr},
        ReadCase{.text = L"0", .value = 1, .singular = false, .blur = L"1"},
        ReadCase{.text = L"10000", .value = 9999, .singular = false, .blur = L"9999"},
        ReadCase{.text = L"-5", .value = 1, .singular = false, .blur = L"1"},
        ReadCase{.text = L"+7", .value = 7, .singular = false, .blur = nullptr},
        ReadCase{.text = L"",
                 .value = 1,
                 .singular = true,
                 .blur = nullptr}, // cleared: "Minute", OK stores 1
        ReadCase{.text = L"1.5", .value = 1, .singular = true, .blur = nullptr}, // no whole number
        ReadCase{.text = L"-", .value = 1, .singular = true, .blur = nullptr},
        ReadCase{.text = L"12a", .value = 1, .singular = true, .blur = nullptr},
        ReadCase{
            .text = L"99999999999999999999", .value = 9999, .singular = false, .blur = L"9999"},
        ReadCase{.text = L"-99999999999", .value = 1, .singular = false, .blur = L"1"},
        ReadCase{.text = L"2147483647", .value = 9999, .singular = false, .blur = L"9999"}));

TEST(SpinField, StepsStayWithinTheRange) {
    EXPECT_EQ(SteppedSpinValue(L"3", +1), 4);
    EXPECT_EQ(SteppedSpinValue(L"3", -1), 2);
    EXPECT_EQ(SteppedSpinValue(L"1", -1), 1);
    EXPECT_EQ(SteppedSpinValue(L"9999", +1), 9999);
    EXPECT_EQ(SteppedSpinValue(L"20000", -1), 9998);
    EXPECT_EQ(SteppedSpinValue(L"", +1), 2);
    EXPECT_EQ(SteppedSpinValue(L"0", +1), 2);
}

TEST(SpinField, ClampBounds) {
    EXPECT_EQ(ClampSpin(0), 1);
    EXPECT_EQ(ClampSpin(20000), 9999);
    EXPECT_EQ(ClampSpin(INT64_MIN), 1);
    EXPECT_EQ(ClampSpin(500), 500);
}

} // namespace
} // namespace staywick
