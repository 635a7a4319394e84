// The settings file's encoding: byte for byte as long as every value is
// printable ASCII, UTF-16LE with its mark once a value needs more, with the
// rest of the file carried over; and what is read back from either.
#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace staywick {
namespace {

using namespace std::string_literals;

// UTF-16LE bytes with the mark, from a char16_t literal (independent of the
// width of wchar_t).
std::string Le(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

struct WriteCase {
    const char* name;
    std::string file;
    std::vector<ProfileEntry> entries;
    std::optional<std::string> written;
};

class IniFileWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniFileWrite, KeepsOrConvertsTheEncoding) {
    const WriteCase& c = GetParam();
    const auto written = SetIniFileValues(c.file, L"General", c.entries);
    ASSERT_EQ(written.has_value(), c.written.has_value());
    if (written) {
        EXPECT_EQ(*written, *c.written);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, IniFileWrite,
    ::testing::Values(
        WriteCase{.name = "NewFileAscii",
                  .file = "",
                  .entries = {{L"Active", L"1"}, {L"WhilePrograms", L"obs64.exe"}},
                  .written = "[General]\r\nActive=1\r\nWhilePrograms=obs64.exe\r\n"},
        WriteCase{.name = "AsciiKeepsOtherBytesOfAByteFile",
                  .file = "; caf\xE9\r\n[General]\r\nActive=0\r\n",
                  .entries = {{L"Active", L"1"}},
                  .written = "; caf\xE9\r\n[General]\r\nActive=1\r\n"},
        WriteCase{.name = "NewFilePolishName",
                  .file = "",
                  .entries = {{L"WhilePrograms", L"Ksi\u0119gowo\u015B\u0107.exe"}},
                  .written = Le(u"[General]\r\nWhilePrograms=Ksi\u0119gowo\u015B\u0107.exe\r\n")},
        WriteCase{
            .name = "GreekNameConvertsTheWholeFile",
            .file = "; caf\xE9\r\n[Window]\r\nLeft=10\r\n\r\n[General]\r\nActive=0\r\n",
            .entries = {{L"Active", L"1"}, {L"WhilePrograms", L"\u03A9mega.exe;a.exe"}},
            .written = Le(u"; caf\u00E9\r\n[Window]\r\nLeft=10\r\n\r\n[General]\r\nActive=1\r\n"
                          u"WhilePrograms=\u03A9mega.exe;a.exe\r\n")},
        WriteCase{.name = "Utf16FileStaysUtf16ForAscii",
                  .file = Le(u"[General]\r\nWhilePrograms=\u03A9.exe\r\nActive=0\r\n"),
                  .entries = {{L"Active", L"1"}},
                  .written = Le(u"[General]\r\nWhilePrograms=\u03A9.exe\r\nActive=1\r\n")},
        WriteCase{.name = "Utf8MarkDroppedWhenConverted",
                  .file = "\xEF\xBB\xBF[General]\r\nActive=0\r\n",
                  .entries = {{L"WhilePrograms", L"\u03A9.exe"}},
                  .written = Le(u"[General]\r\nActive=0\r\nWhilePrograms=\u03A9.exe\r\n")},
        WriteCase{.name = "BeyondTheBasicPlane",
                  .file = "",
                  .entries = {{L"WhilePrograms", L"\U0001F600.exe"}},
                  .written = Le(u"[General]\r\nWhilePrograms=\U0001F600.exe\r\n")},
        WriteCase{.name = "ControlCharacterRefused",
                  .file = "[General]\r\nActive=0\r\n",
                  .entries = {{L"Active", L"1"}, {L"WhilePrograms", L"\u03A9\n.exe"}},
                  .written = std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniFileRead, FindsValuesInBothEncodings) {
    const std::string utf16 = Le(u"; note\r\n[GENERAL]\r\nWhilePrograms= \u0141\u00F3d\u017A.exe "
                                 u"\r\nOther=\U0001F600\r\n");
    EXPECT_EQ(ReadIniFileValue(utf16, L"General", L"WhilePrograms"), L"\u0141\u00F3d\u017A.exe");
    EXPECT_EQ(ReadIniFileValue(utf16, L"General", L"Other"), L"\U0001F600");
    EXPECT_EQ(ReadIniFileValue(utf16, L"General", L"Missing"), std::nullopt);
    EXPECT_EQ(ReadIniFileValue("[General]\r\nActive=0\r\n", L"General", L"Active"), L"0");
    // A byte file read as the profile API reads it: the mark that Wine
    // skips is no part of the first line.
    EXPECT_EQ(ReadIniFileValue("\xEF\xBB\xBF[General]\r\nActive=0\r\n", L"General", L"Active"),
              L"0");
}

TEST(IniFileRead, WhatIsWrittenReadsBack) {
    const std::wstring names = L"Ksi\u0119gowo\u015B\u0107.exe;\u03A9mega.exe;\U0001F600.exe";
    const auto written =
        SetIniFileValues("[General]\r\nActive=0\r\n", L"General", {{L"WhilePrograms", names}});
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(ReadIniFileValue(*written, L"General", L"WhilePrograms"), names);
    EXPECT_EQ(ReadIniFileValue(*written, L"General", L"Active"), L"0");
}

} // namespace
} // namespace staywick
