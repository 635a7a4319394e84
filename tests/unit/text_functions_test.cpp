// Shared text helpers: replacing without regard to letter case, and UTF-8
// without a byte-order mark.
#include "common/text_functions.h"

#include <gtest/gtest.h>

#include <string>

namespace staywick {
namespace {

TEST(ReplaceAllNoCase, ReplacesEveryOccurrenceIgnoringCase) {
    EXPECT_EQ(ReplaceAllNoCase(L"C:\\Data\\Staywick.Settings", L".Settings", L".log"),
              L"C:\\Data\\Staywick.log");
    EXPECT_EQ(ReplaceAllNoCase(L"aXbxcX", L"x", L"--"), L"a--b--c--");
    EXPECT_EQ(ReplaceAllNoCase(L"abc", L"", L"z"), L"abc");
    EXPECT_EQ(ReplaceAllNoCase(L"aaa", L"aa", L"b"), L"ba");
}

TEST(ToUtf8, EncodesWithoutByteOrderMark) {
    EXPECT_EQ(ToUtf8(L"Im in the timer"), "Im in the timer");
    EXPECT_EQ(ToUtf8(L"\u00e9\u20ac"), "\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(ToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
}

} // namespace
} // namespace staywick
