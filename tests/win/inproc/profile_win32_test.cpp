// The settings file through the real profile API: the bytes of a first save,
// a save into a prepared file, a refused write reported with the settings
// path, and the portable reader agreeing with the API on what it reads.
#include "common/app_error.h"
#include "settings/win32/profile_win32.h"
#include "settings/ini_file.h"
#include "settings/settings_file.h"
#include "ui/error_report.h"
#include "win/common/process_helpers.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <sstream>
#include <string>
#include <vector>

namespace staywick {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

std::vector<std::string> NonBlankLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

class ProfileApi : public ::testing::Test {
protected:
    TempDir dir;
    const std::wstring ini = dir.File(L"Staywick.Settings");
    win32::Win32Profile profile;
};

TEST_F(ProfileApi, FirstSaveWithDefaultsIsExactlySevenCrLfLines) {
    SaveOptions(profile, ini, TStaywickOptions{});
    EXPECT_EQ(ReadFileBytes(ini), "[General]\r\nActive=1\r\nDontLetSleepMoreThen=3\r\n"
                                  "ActivateFor=0\r\nAutoStopped=1\r\nInputKey=0\r\n"
                                  "NotifySystem=1\r\n");
    EXPECT_EQ(LoadOptions(profile, ini), TStaywickOptions{});
}

TEST_F(ProfileApi, SavingIntoAPreparedFileKeepsOtherSectionsAndKeyPlaces) {
    WriteFileBytes(ini, "; written by hand\r\n"
                        "[Window]\r\n"
                        "Left=10\r\n"
                        "\r\n"
                        "[GENERAL]\r\n"
                        "Comment=mine\r\n"
                        "DONTLETSLEEPMORETHEN=9\r\n"
                        "\r\n"
                        "[Tail]\r\n"
                        "X=1\r\n");
    TStaywickOptions options;
    options.SleepMax = 15;
    options.Active = false;
    SaveOptions(profile, ini, options);
    // Windows keeps the blank lines; Wine drops them when it rewrites the
    // file, so only the other lines and their order are compared.
    const std::vector<std::string> expected = {"; written by hand",
                                               "[Window]",
                                               "Left=10",
                                               "[GENERAL]",
                                               "Comment=mine",
                                               "DONTLETSLEEPMORETHEN=15",
                                               "Active=0",
                                               "ActivateFor=0",
                                               "AutoStopped=1",
                                               "InputKey=0",
                                               "NotifySystem=1",
                                               "[Tail]",
                                               "X=1"};
    EXPECT_EQ(NonBlankLines(ReadFileBytes(ini)), expected);
    EXPECT_EQ(LoadOptions(profile, ini), options);
}

TEST_F(ProfileApi, HandWrittenNamesInCapitalsAndDefaultsForWhatDoesNotParse) {
    WriteFileBytes(ini, "[GENERAL]\r\nACTIVE=0\r\nDONTLETSLEEPMORETHEN=$a\r\n"
                        "INPUTKEY=10min\r\nNOTIFYSYSTEM=0\r\n");
    const TStaywickOptions loaded = LoadOptions(profile, ini);
    EXPECT_FALSE(loaded.Active);
    EXPECT_EQ(loaded.SleepMax, 10);
    EXPECT_EQ(loaded.InputKey, 0);
    EXPECT_TRUE(loaded.AutoStopped) << "missing: default";
    EXPECT_FALSE(loaded.NotifySystem);
}

TEST_F(ProfileApi, ARefusedWriteThrowsWithTheSettingsPath) {
    // Wine writes read-only files when run as root, so the refusals here are
    // a missing folder and a path below a file.
    WriteFileBytes(dir.File(L"plain"), "x");
    for (const std::wstring& path :
         {dir.File(L"missing\\Staywick.Settings"), dir.File(L"plain\\Staywick.Settings")}) {
        SCOPED_TRACE(std::string(path.begin(), path.end()));
        try {
            SaveOptions(profile, path, TStaywickOptions{});
            ADD_FAILURE() << "the save must fail";
        } catch (const AppError& error) {
            EXPECT_EQ(error.Text(), L"Unable to write to " + path);
        }
    }
    EXPECT_EQ(ReadFileBytes(dir.File(L"plain")), "x");
}

TEST_F(ProfileApi, TheRefusedSaveReachesTheErrorReportAndTheCallerGoesOn) {
    std::vector<std::wstring> reported;
    SetErrorReportSink([&](const std::wstring& text) { reported.push_back(text); });
    const std::wstring path = dir.File(L"missing\\Staywick.Settings");
    TStaywickOptions options;
    options.SleepMax = 30;
    const bool ok = RunGuarded([&] { SaveOptions(profile, path, options); });
    SetErrorReportSink({});
    EXPECT_FALSE(ok);
    EXPECT_EQ(reported, std::vector<std::wstring>{L"Unable to write to " + path});
    EXPECT_EQ(options.SleepMax, 30) << "the record keeps the caller's values";
}

// UTF-16LE bytes with the mark.
std::string Le(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

// Files the portable reader and GetPrivateProfileStringW must read alike.
struct AgreeCase {
    const char* name;
    std::string text;
    std::wstring active; // what both read for "Active" in "General"
};

void PrintTo(const AgreeCase& c, std::ostream* os) {
    *os << c.name;
}

class PortableReaderAgrees : public ProfileApi, public ::testing::WithParamInterface<AgreeCase> {};

TEST_P(PortableReaderAgrees, WithTheProfileApi) {
    WriteFileBytes(ini, GetParam().text);
    EXPECT_EQ(profile.ReadString(L"General", L"Active", ini), GetParam().active);
    for (const wchar_t* section : {L"General", L"GENERAL", L"Other"}) {
        for (const wchar_t* key : {L"Active", L"active", L"InputKey", L"Tail"}) {
            const std::wstring api = profile.ReadString(section, key, ini);
            const std::wstring portable =
                ReadIniFileValue(GetParam().text, section, key).value_or(std::wstring());
            EXPECT_EQ(portable, api) << "[" << std::string(section, section + wcslen(section))
                                     << "] " << std::string(key, key + wcslen(key));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, PortableReaderAgrees,
    ::testing::Values(
        AgreeCase{
            .name = "plain", .text = "[General]\r\nActive=0\r\nInputKey=2\r\n", .active = L"0"},
        AgreeCase{
            .name = "capitals", .text = "[GENERAL]\r\nACTIVE=1\r\ninputkey=$1\r\n", .active = L"1"},
        AgreeCase{.name = "blanks",
                  .text = "  [General]\r\n  Active  =  7  \r\n\tInputKey\t=\t3\t\r\n",
                  .active = L"7"},
        AgreeCase{.name = "quotes",
                  .text = "[General]\r\nActive=\"12\"\r\nInputKey='4'\r\n",
                  .active = L"12"},
        AgreeCase{.name = "LF only, no final line end",
                  .text = "[General]\nActive=5\nInputKey=6",
                  .active = L"5"},
        AgreeCase{.name = "two sections",
                  .text = "[Other]\r\nActive=1\r\nTail=t\r\n[General]\r\nActive=0\r\n",
                  .active = L"0"},
        AgreeCase{.name = "duplicate key",
                  .text = "[General]\r\nActive=1\r\nActive=0\r\n",
                  .active = L"1"},
        AgreeCase{.name = "keys before any section",
                  .text = "Active=3\r\n[General]\r\nInputKey=1\r\n",
                  .active = L""},
        AgreeCase{
            .name = "empty values", .text = "[General]\r\nActive=\r\nInputKey\r\n", .active = L""},
        AgreeCase{
            .name = "equals in value", .text = "[General]\r\nActive=a=b\r\n", .active = L"a=b"},
        AgreeCase{.name = "truncated", .text = "[General]\r\nActive=1\r\nInput", .active = L"1"},
        AgreeCase{.name = "empty", .text = "", .active = L""},
        AgreeCase{.name = "UTF-16LE",
                  .text = Le(u"[Other]\r\nTail=\u03A9\r\n[GENERAL]\r\n Active = 4 \r\n"
                             u"InputKey=Ksi\u0119gowo\u015B\u0107.exe\r\n"),
                  .active = L"4"}));

} // namespace
} // namespace staywick
