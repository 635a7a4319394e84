// Command-line switches, the log's texts and path, and DebugWrite's control codes.
#include "common/text_functions.h"
#include "diag/command_line.h"
#include "diag/debug_writer.h"
#include "diag/log_lines.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace staywick {
namespace {

struct SwitchCase {
    const wchar_t* commandLine;
    DiagnosticSwitch expected;
};

class CommandLineSwitchTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(CommandLineSwitchTest, OnlyTheFirstArgumentCountsComparedWhole) {
    EXPECT_EQ(SwitchFromCommandLine(GetParam().commandLine), GetParam().expected)
        << GetParam().commandLine;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineSwitchTest,
    ::testing::Values(SwitchCase{L"Staywick.exe /D", DiagnosticSwitch::Debug},
                      SwitchCase{L"Staywick.exe /d", DiagnosticSwitch::Debug},
                      SwitchCase{L"Staywick.exe /L", DiagnosticSwitch::Log},
                      SwitchCase{L"Staywick.exe /l", DiagnosticSwitch::Log},
                      SwitchCase{L"Staywick.exe \"/D\"", DiagnosticSwitch::Debug},
                      SwitchCase{L"Staywick.exe /D /L", DiagnosticSwitch::Debug},
                      SwitchCase{L"Staywick.exe /L /D", DiagnosticSwitch::Log},
                      SwitchCase{L"Staywick.exe /DL", DiagnosticSwitch::None},
                      SwitchCase{L"Staywick.exe -D", DiagnosticSwitch::None},
                      SwitchCase{L"Staywick.exe x /D", DiagnosticSwitch::None},
                      SwitchCase{L"Staywick.exe", DiagnosticSwitch::None},
                      SwitchCase{L"", DiagnosticSwitch::None},
                      // The program path itself may be quoted and hold blanks.
                      SwitchCase{L"\"C:\\Program Files\\Staywick\\Staywick.exe\" /l",
                                 DiagnosticSwitch::Log},
                      // Tabs and other control characters separate arguments too.
                      SwitchCase{L"Staywick.exe\t/D", DiagnosticSwitch::Debug},
                      SwitchCase{L"Staywick.exe   \x01/L", DiagnosticSwitch::Log},
                      // Quotes in the middle join the stretch and vanish.
                      SwitchCase{L"Staywick.exe /\"L\"", DiagnosticSwitch::Log}));

TEST(CommandLineArgument, SplitsAtBlanksAndKeepsQuotedStretches) {
    const std::wstring line = L"  \"C:\\My Apps\\S.exe\"  first \"two words\" a\"b c\"d";
    EXPECT_EQ(CommandLineArgument(line, 0), L"C:\\My Apps\\S.exe");
    EXPECT_EQ(CommandLineArgument(line, 1), L"first");
    EXPECT_EQ(CommandLineArgument(line, 2), L"two words");
    EXPECT_EQ(CommandLineArgument(line, 3), L"ab cd");
    EXPECT_EQ(CommandLineArgument(line, 4), L"");
}

TEST(ReplaceAllNoCase, ReplacesEveryOccurrenceIgnoringCase) {
    EXPECT_EQ(ReplaceAllNoCase(L"C:\\Data\\Staywick.Settings", L".Settings", L".log"),
              L"C:\\Data\\Staywick.log");
    EXPECT_EQ(ReplaceAllNoCase(L"aXbxcX", L"x", L"--"), L"a--b--c--");
    EXPECT_EQ(ReplaceAllNoCase(L"abc", L"", L"z"), L"abc");
    EXPECT_EQ(ReplaceAllNoCase(L"aaa", L"aa", L"b"), L"ba");
}

TEST(LogFileName, AFolderNamedLikeTheSettingsIsReplacedToo) {
    EXPECT_EQ(
        LogFileNameFor(L"C:\\Users\\u\\AppData\\Roaming\\Tessaro\\Staywick\\Staywick.Settings"),
        L"C:\\Users\\u\\AppData\\Roaming\\Tessaro\\Staywick\\Staywick.log");
    // The folder part changes as well, so the log then points into a folder
    // that does not exist and its first line fails.
    EXPECT_EQ(LogFileNameFor(L"D:\\Old.SETTINGS\\Staywick.settings"), L"D:\\Old.log\\Staywick.log");
}

TEST(LogLines, HeaderAndIdleLineTexts) {
    EXPECT_EQ(LogHeaderStars(), L"******************************* ");
    EXPECT_EQ(LogHeaderStars().size(), 32u);
    EXPECT_EQ(LogHeaderActive(true), L"Active: True");
    EXPECT_EQ(LogHeaderActive(false), L"Active: False");
    EXPECT_EQ(LogHeaderMaxSleep(3), L"MaxSleep: 3");
    EXPECT_EQ(LogHeaderMaxSleep(-4), L"MaxSleep: -4");
    EXPECT_EQ(FormatIdleTime(1234), L"Windows has been idle for 1234 milliseconds.");
    EXPECT_EQ(FormatIdleTime(0xFFFFFFFFu), L"Windows has been idle for 4294967295 milliseconds.");
}

TEST(ToUtf8, EncodesWithoutByteOrderMark) {
    EXPECT_EQ(ToUtf8(L"Im in the timer"), "Im in the timer");
    EXPECT_EQ(ToUtf8(L"\u00e9\u20ac"), "\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(ToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
}

// Records what DebugWrite asks of the window.
class FakeDebugWindow : public DebugWindowPort {
public:
    bool Exists() const override { return exists; }
    void Create() override {
        calls.push_back(L"create");
        exists = creatable;
        text.clear();
    }
    void ReplaceSelection(const std::wstring& t) override { text += t; }
    void MakeTopmost() override { calls.push_back(L"topmost"); }
    void Clear() override { text.clear(); }
    void Destroy() override {
        calls.push_back(L"destroy");
        exists = false;
    }
    void Beep() override { calls.push_back(L"beep"); }

    bool exists = false, creatable = true;
    std::wstring text;
    std::vector<std::wstring> calls;
};

TEST(DebugWrite, CreatesOnFirstUseAppendsLinesAndStaysTopmost) {
    FakeDebugWindow w;
    DebugWrite(w, L"timer interval at: 170000");
    DebugWrite(w, L"");
    DebugWrite(w, L"Forced system wake up");
    EXPECT_EQ(w.text, L"timer interval at: 170000\r\n\r\nForced system wake up\r\n");
    EXPECT_EQ(w.calls, (std::vector<std::wstring>{L"create", L"topmost", L"topmost", L"topmost"}));
}

TEST(DebugWrite, ControlCodesClearDestroyOrBeepAndAreNotShown) {
    FakeDebugWindow w;
    DebugWrite(w, L"one");
    DebugWrite(w, std::wstring(1, wchar_t(1)) + L"ignored rest");
    EXPECT_EQ(w.text, L"");
    DebugWrite(w, std::wstring(1, wchar_t(3)));
    EXPECT_EQ(w.calls.back(), L"beep");
    DebugWrite(w, std::wstring(1, wchar_t(2)));
    EXPECT_FALSE(w.exists);
    // The next line brings a new, empty window.
    DebugWrite(w, L"again");
    EXPECT_TRUE(w.exists);
    EXPECT_EQ(w.text, L"again\r\n");
    EXPECT_EQ(std::count(w.calls.begin(), w.calls.end(), L"create"), 2);
}

TEST(DebugWrite, ALineIsLostWhenTheWindowCannotBeCreatedAndCreationIsRetried) {
    FakeDebugWindow w;
    w.creatable = false;
    DebugWrite(w, L"lost");
    DebugWrite(w, L"lost too");
    EXPECT_EQ(w.text, L"");
    EXPECT_EQ(std::count(w.calls.begin(), w.calls.end(), L"create"), 2);
    EXPECT_EQ(std::count(w.calls.begin(), w.calls.end(), L"topmost"), 0);
}

} // namespace
} // namespace staywick
