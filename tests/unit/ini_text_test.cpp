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
    ::testing::Values(ReadCase{.name = "plain",
                               .text = "[General]\r\nActive=0\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = L"0"},
                      ReadCase{.name = "names in capitals",
                               .text = "[GENERAL]\r\nACTIVE=0\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = L"0"},
                      ReadCase{.name = "asked in capitals",
                               .text = "[general]\r\nactive=0\r\n",
                               .section = L"GENERAL",
                               .key = L"ACTIVE",
                               .found = L"0"},
                      ReadCase{.name = "LF only and no final line end",
                               .text = "[General]\nA=1\nActive=7",
                               .section = L"General",
                               .key = L"Active",
                               .found = L"7"},
                      ReadCase{.name = "blanks around name and value",
                               .text = "  [General]  \r\n \tActive \t=  5 \t\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = L"5"},
                      ReadCase{.name = "quotes removed",
                               .text = "[General]\r\nActive=\"12\"\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = L"12"},
                      ReadCase{.name = "single quotes removed",
                               .text = "[General]\r\nActive='1'\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = L"1"},
                      ReadCase{.name = "unmatched quote kept",
                               .text = "[General]\r\nActive=\"1\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = L"\"1"},
                      ReadCase{.name = "empty value",
                               .text = "[General]\r\nActive=\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = L""},
                      ReadCase{.name = "key without =",
                               .text = "[General]\r\nActive\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = L""},
                      ReadCase{.name = "first key wins",
                               .text = "[General]\r\nActive=1\r\nActive=0\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = L"1"},
                      ReadCase{.name = "first section only",
                               .text = "[General]\r\nX=1\r\n[General]\r\nActive=0\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = std::nullopt},
                      ReadCase{.name = "value may hold =",
                               .text = "[General]\r\nActive=a=b\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = L"a=b"},
                      ReadCase{.name = "other section",
                               .text = "[Other]\r\nActive=0\r\n[General]\r\nActive=1\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = L"1"},
                      ReadCase{.name = "key of the section before",
                               .text = "[Other]\r\nActive=0\r\n[General]\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = std::nullopt},
                      ReadCase{.name = "key ahead of every section",
                               .text = "Active=0\r\n[General]\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = std::nullopt},
                      ReadCase{.name = "commented out",
                               .text = "[General]\r\n;Active=0\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = std::nullopt},
                      ReadCase{.name = "UTF-8 byte order mark",
                               .text = "\xEF\xBB\xBF[General]\r\nActive=0\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = L"0"},
                      ReadCase{.name = "header without ]",
                               .text = "[General\r\nActive=0\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = std::nullopt},
                      ReadCase{.name = "empty text",
                               .text = "",
                               .section = L"General",
                               .key = L"Active",
                               .found = std::nullopt},
                      ReadCase{.name = "bytes above ASCII come back as their codes",
                               .text = "[General]\r\nActive=\xE9\r\n",
                               .section = L"General",
                               .key = L"Active",
                               .found = L"\u00E9"},
                      ReadCase{.name = "null bytes are ordinary characters",
                               .text = "[General]\r\nActive=1\0"
                                       "2\r\n"s,
                               .section = L"General",
                               .key = L"Active",
                               .found = std::wstring(L"1\0"
                                                     L"2",
                                                     3)},
                      ReadCase{.name = "name outside one byte matches nothing",
                               .text = "[General]\r\nActive=0\r\n",
                               .section = L"General",
                               .key = L"Activ\u0100",
                               .found = std::nullopt}));

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

// The prepared file up to its last section, which each case's text ends with.
const std::string kPreparedHead = "; Staywick settings\r\n"
                                  "[Window]\r\n"
                                  "Left=10\r\n"
                                  "\r\n"
                                  "[general]\r\n";
const std::string kPreparedTail = "\r\n"
                                  "; about the next section\r\n"
                                  "[Last]\n"
                                  "Tail=1";

struct WriteCase {
    const char* name;
    std::string before;
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* value;
    std::string after;
};

TEST(IniWrite, PutsEachValueWhereItBelongsAndChangesNothingElse) {
    ASSERT_EQ(kPreparedHead + "DONTLETSLEEPMORETHEN=9\r\nExtra=keep me\r\n" + kPreparedTail,
              kPrepared);
    const WriteCase cases[] = {
        {.name = "an existing key is replaced where it stands, keeping its spelling",
         .before = kPrepared,
         .section = L"General",
         .key = L"DontLetSleepMoreThen",
         .value = L"5",
         .after = kPreparedHead + "DONTLETSLEEPMORETHEN=5\r\nExtra=keep me\r\n" + kPreparedTail},
        {.name = "a missing key comes after the last key of its section",
         .before = kPrepared,
         .section = L"General",
         .key = L"Active",
         .value = L"1",
         .after = kPreparedHead + "DONTLETSLEEPMORETHEN=9\r\nExtra=keep me\r\nActive=1\r\n" +
                  kPreparedTail},
        // The last line had no line end: it gets one, and nothing else changes.
        {.name = "a missing section comes at the end",
         .before = kPrepared,
         .section = L"New",
         .key = L"Key",
         .value = L"v",
         .after = kPrepared + "\r\n[New]\r\nKey=v\r\n"},
        {.name = "a key for a last section whose last line has no line end",
         .before = kPrepared,
         .section = L"last",
         .key = L"Key",
         .value = L"v",
         .after = kPrepared + "\r\nKey=v\r\n"},
        {.name = "a section line with no line end",
         .before = "[General]",
         .section = L"General",
         .key = L"Key",
         .value = L"v",
         .after = "[General]\r\nKey=v\r\n"},
        {.name = "a new text is the section line and the key",
         .before = "",
         .section = L"General",
         .key = L"Active",
         .value = L"1",
         .after = "[General]\r\nActive=1\r\n"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SetIniValue(c.before, c.section, c.key, c.value), c.after);
    }
}

TEST(IniWrite, ALoneCarriageReturnIsNoLineEnd) {
    // The new line must not join the one before.
    const auto out = SetIniValue("[General]\r\nA=1\r", L"General", L"Key", L"v");
    ASSERT_TRUE(out);
    EXPECT_EQ(FindIniValue(*out, L"General", L"A"), L"1");
    EXPECT_EQ(FindIniValue(*out, L"General", L"Key"), L"v");
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
    ::testing::Values(
        RefusedCase{.name = "empty key", .section = L"General", .key = L"", .value = L"1"},
        RefusedCase{.name = "empty section", .section = L"", .key = L"Active", .value = L"1"},
        RefusedCase{.name = "line break in value",
                    .section = L"General",
                    .key = L"Active",
                    .value = L"1\r\n[X]"},
        RefusedCase{
            .name = "line feed in key", .section = L"General", .key = L"A\nB", .value = L"1"},
        RefusedCase{.name = "= in key", .section = L"General", .key = L"A=B", .value = L"1"},
        RefusedCase{
            .name = "] in section", .section = L"Gen]eral", .key = L"Active", .value = L"1"},
        RefusedCase{.name = "comment key", .section = L"General", .key = L";Active", .value = L"1"},
        RefusedCase{
            .name = "key like a section", .section = L"General", .key = L"[Active", .value = L"1"},
        RefusedCase{
            .name = "blank around key", .section = L"General", .key = L" Active", .value = L"1"},
        RefusedCase{
            .name = "non-ASCII value", .section = L"General", .key = L"Active", .value = L"\u00E9"},
        RefusedCase{
            .name = "wide value", .section = L"General", .key = L"Active", .value = L"\u4E00"}));

} // namespace
} // namespace staywick
