// Names of the license viewer's temporary file.
#include "common/temp_name.h"

#include <gtest/gtest.h>

namespace staywick {
namespace {

constexpr std::uint32_t Ms(std::uint32_t h, std::uint32_t m, std::uint32_t s, std::uint32_t ms) {
    return ((h * 60 + m) * 60 + s) * 1000 + ms;
}

TEST(TempFileName, DayFractionExample) {
    // 07:24:13.456 is 0.308489074... of a day.
    EXPECT_EQ(FormatDayFraction(Ms(7, 24, 13, 456), L"."), L".30848907");
    EXPECT_EQ(TempFileNameFor(Ms(7, 24, 13, 456), L".", L"rtf"), L"TMP48907.rtf");
    // The user's separator leads the text and does not shift the digits.
    EXPECT_EQ(FormatDayFraction(Ms(7, 24, 13, 456), L","), L",30848907");
    EXPECT_EQ(TempFileNameFor(Ms(7, 24, 13, 456), L",", L"rtf"), L"TMP48907.rtf");
}

TEST(TempFileName, ExtensionRules) {
    const std::uint32_t t = Ms(7, 24, 13, 456);
    for (const wchar_t* ext : {L"rtf", L".rtf", L" rtf ", L"  rtf"}) {
        EXPECT_EQ(TempFileNameFor(t, L".", ext), L"TMP48907.rtf") << ext;
    }
    EXPECT_EQ(TempFileNameFor(t, L".", L""), L"TMP48907");
    // An extension with its own dot is used unchanged, blanks and all.
    EXPECT_EQ(NormalizeTempExtension(L". rtf"), L". rtf");
}

TEST(TempFileName, ShortFractionsGiveFewerCharacters) {
    // 0.1234 of a day is 02:57:41.760; trailing zeros are dropped: ".1234".
    EXPECT_EQ(FormatDayFraction(Ms(2, 57, 41, 760), L"."), L".1234");
    EXPECT_EQ(TempFileNameFor(Ms(2, 57, 41, 760), L".", L"rtf"), L"TMP4.rtf");
    // Noon is ".5": four characters or fewer leave none.
    EXPECT_EQ(FormatDayFraction(Ms(12, 0, 0, 0), L"."), L".5");
    EXPECT_EQ(TempFileNameFor(Ms(12, 0, 0, 0), L".", L"rtf"), L"TMP.rtf");
    // 0.123 of a day (02:57:07.200): exactly four characters.
    EXPECT_EQ(TempFileNameFor(Ms(2, 57, 7, 200), L".", L".rtf"), L"TMP.rtf");
    // Midnight formats as nothing at all.
    EXPECT_EQ(FormatDayFraction(0, L"."), L"");
    EXPECT_EQ(TempFileNameFor(0, L".", L"rtf"), L"TMP.rtf");
}

TEST(TempFileName, RoundingAtTheEighthDecimal) {
    // 1 ms is 0.0000000115740... of a day: rounds to .00000001.
    EXPECT_EQ(FormatDayFraction(1, L"."), L".00000001");
    // The last millisecond of the day (0.9999999884...) stays below a whole day.
    EXPECT_EQ(FormatDayFraction(86399999, L"."), L".99999999");
    EXPECT_EQ(TempFileNameFor(86399999, L".", L"rtf"), L"TMP99999.rtf");
    // 23:59:59.998 is 0.999999976...: .99999998.
    EXPECT_EQ(FormatDayFraction(86399998, L"."), L".99999998");
}

TEST(TempFileName, StampAlwaysDigitsAndChangesWithinAMillisecondStep) {
    // Consecutive milliseconds give different names through the day.
    std::wstring previous;
    for (std::uint32_t ms = Ms(9, 0, 0, 0); ms < Ms(9, 0, 2, 0); ++ms) {
        const std::wstring name = TempFileNameFor(ms, L".", L"rtf");
        ASSERT_NE(name, previous) << ms;
        previous = name;
    }
}

} // namespace
} // namespace staywick
