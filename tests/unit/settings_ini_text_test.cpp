// The portable INI reader and writer: what a read finds, and that a write
// touches its own line only.
#include "settings/ini_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace staywick {
namespace {

using namespace std::string_literals;

struct ReadCase {
    const char* name;
    std::string text;
    std::wstring section, key;
    std::optional<std::wstring> found;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class IniRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, FindsTheValueAsTheProfileApiDoes) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(FindIniValue(c.text, c.section, c.key), c.found);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IniRead,
    ::testing::Values(
        ReadCase{"plain", "[General]\r\nActive=0\r\n", L"General", L"Active", L"0"},
        ReadCase{"names in capitals", "[GENERAL]\r\nACTIVE=0\r\n", L"General", L"Active", L"0"},
        ReadCase{"asked in capitals", "[general]\r\nactive=0\r\n", L"GENERAL", L"ACTIVE", L"0"},
        ReadCase{"LF only and no final line end", "[General]\nA=1\nActive=7", L"General", L"Active",
                 L"7"},
        ReadCase{"blanks around name and value", "  [General]  \r\n \tActive \t=  5 \t\r\n",
                 L"General", L"Active", L"5"},
        ReadCase{"quotes removed", "[General]\r\nActive=\"12\"\r\n", L"General", L"Active", L"12"},
        ReadCase{"single quotes removed", "[General]\r\nActive='1'\r\n", L"General", L"Active",
                 L"1"},
        ReadCase{"unmatched quote kept", "[General]\r\nActive=\"1\r\n", L"General", L"Active",
                 L"\"1"},
        ReadCase{"empty value", "[General]\r\nActive=\r\n", L"General", L"Active", L""},
        ReadCase{"key without =", "[General]\r\nActive\r\n", L"General", L"Active", L""},
        ReadCase{"first key wins", "[General]\r\nActive=1\r\nActive=0\r\n", L"General", L"Active",
                 L"1"},
        ReadCase{"first section only", "[General]\r\nX=1\r\n[General]\r\nActive=0\r\n", L"General",
                 L"Active", std::nullopt},
        ReadCase{"value may hold =", "[General]\r\nActive=a=b\r\n", L"General", L"Active", L"a=b"},
        ReadCase{"other section", "[Other]\r\nActive=0\r\n[General]\r\nActive=1\r\n", L"General",
                 L"Active", L"1"},
        ReadCase{"key of the section before", "[Other]\r\nActive=0\r\n[General]\r\n", L"General",
                 L"Active", std::nullopt},
        ReadCase{"key ahead of every section", "Active=0\r\n[General]\r\n", L"General", L"Active",
                 std::nullopt},
        ReadCase{"commented out", "[General]\r\n;Active=0\r\n", L"General", L"Active",
                 std::nullopt},
        ReadCase{"UTF-8 byte order mark", "\xEF\xBB\xBF[General]\r\nActive=0\r\n", L"General",
                 L"Active", L"0"},
        ReadCase{"header without ]", "[General\r\nActive=0\r\n", L"General", L"Active",
                 std::nullopt},
        ReadCase{"empty text", "", L"General", L"Active", std::nullopt},
        ReadCase{"bytes above ASCII come back as their codes", "[General]\r\nActive=\xE9\r\n",
                 L"General", L"Active", L"\u00E9"},
        ReadCase{"null bytes are ordinary characters",
                 "[General]\r\nActive=1\0"
                 "2\r\n"s,
                 L"General", L"Active",
                 std::wstring(L"1\0"
                              L"2",
                              3)},
        ReadCase{"name outside one byte matches nothing", "[General]\r\nActive=0\r\n", L"General",
                 L"Activ\u0100", std::nullopt}));

// The file of the tests below: other sections, comments, blank lines and
// some keys of the settings in another case.
const std::string kPrepared = "; Staywick settings\r\n"
                              "[Window]\r\n"
                              "Left=10\r\n"
                              "\r\n"
                              "[general]\r\n"
                              "DONTLETSLEEPMORETHEN=9\r\n"
                              "Extra=keep me\r\n"
                              "\r\n"
                              "; about the next section\r\n"
                              "[Last]\n"
                              "Tail=1";

TEST(IniWrite, ReplacesAnExistingKeyWhereItStandsAndKeepsItsSpelling) {
    const auto out = SetIniValue(kPrepared, L"General", L"DontLetSleepMoreThen", L"5");
    ASSERT_TRUE(out);
    std::string expected = kPrepared;
    expected.replace(expected.find("DONTLETSLEEPMORETHEN=9"), 22, "DONTLETSLEEPMORETHEN=5");
    EXPECT_EQ(*out, expected);
}

TEST(IniWrite, AppendsAMissingKeyAfterTheLastKeyOfItsSection) {
    const auto out = SetIniValue(kPrepared, L"General", L"Active", L"1");
    ASSERT_TRUE(out);
    std::string expected = kPrepared;
    expected.insert(expected.find("Extra=keep me\r\n") + 15, "Active=1\r\n");
    EXPECT_EQ(*out, expected);
}

TEST(IniWrite, AppendsAMissingSectionAtTheEnd) {
    const auto out = SetIniValue(kPrepared, L"New", L"Key", L"v");
    ASSERT_TRUE(out);
    // The last line had no line end: it gets one, and nothing else changes.
    EXPECT_EQ(*out, kPrepared + "\r\n[New]\r\nKey=v\r\n");
}

TEST(IniWrite, AddsAKeyToASectionWhoseLastLineHasNoLineEnd) {
    EXPECT_EQ(SetIniValue(kPrepared, L"last", L"Key", L"v"), kPrepared + "\r\nKey=v\r\n");
    EXPECT_EQ(SetIniValue("[General]", L"General", L"Key", L"v"), "[General]\r\nKey=v\r\n");
    // A lone CR is no line end: the new line must not join the one before.
    const auto out = SetIniValue("[General]\r\nA=1\r", L"General", L"Key", L"v");
    ASSERT_TRUE(out);
    EXPECT_EQ(FindIniValue(*out, L"General", L"A"), L"1");
    EXPECT_EQ(FindIniValue(*out, L"General", L"Key"), L"v");
}

TEST(IniWrite, NewTextIsTheSectionLineAndTheKey) {
    EXPECT_EQ(SetIniValue("", L"General", L"Active", L"1"), "[General]\r\nActive=1\r\n");
}

TEST(IniWrite, KeepsBinaryBytesOfOtherLines) {
    const std::string garbage("\x00\xFF\x01[\r\r\n]=\x80\n\n\xEF\xBB", 14);
    const auto out = SetIniValue(garbage, L"General", L"Active", L"0");
    ASSERT_TRUE(out);
    EXPECT_EQ(out->substr(0, garbage.size()), garbage);
    EXPECT_EQ(FindIniValue(*out, L"General", L"Active"), L"0");
}

struct RefusedCase {
    const char* name;
    std::wstring section, key, value;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class IniWriteRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(IniWriteRefused, NamesAndValuesThatCannotBeReadBackAreRefused) {
    const RefusedCase& c = GetParam();
    EXPECT_EQ(SetIniValue(kPrepared, c.section, c.key, c.value), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IniWriteRefused,
    ::testing::Values(RefusedCase{"empty key", L"General", L"", L"1"},
                      RefusedCase{"empty section", L"", L"Active", L"1"},
                      RefusedCase{"line break in value", L"General", L"Active", L"1\r\n[X]"},
                      RefusedCase{"line feed in key", L"General", L"A\nB", L"1"},
                      RefusedCase{"= in key", L"General", L"A=B", L"1"},
                      RefusedCase{"] in section", L"Gen]eral", L"Active", L"1"},
                      RefusedCase{"comment key", L"General", L";Active", L"1"},
                      RefusedCase{"key like a section", L"General", L"[Active", L"1"},
                      RefusedCase{"blank around key", L"General", L" Active", L"1"},
                      RefusedCase{"non-ASCII value", L"General", L"Active", L"\u00E9"},
                      RefusedCase{"wide value", L"General", L"Active", L"\u4E00"}));

} // namespace
} // namespace staywick
