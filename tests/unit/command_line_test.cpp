// The command-line switches: only the first argument counts, compared whole;
// arguments split at blanks with quoted stretches kept.
#include "diag/command_line.h"

#include <gtest/gtest.h>

#include <string>

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

// Restart Manager starts the program again with these arguments after an
// upgrade: they must give the same switch, and nothing else.
TEST_P(CommandLineSwitchTest, TheRestartArgumentsGiveTheSameSwitch) {
    const std::wstring arguments = SwitchArguments(GetParam().expected);
    EXPECT_EQ(SwitchFromCommandLine(L"Staywick.exe " + arguments), GetParam().expected)
        << GetParam().commandLine;
    EXPECT_EQ(CommandLineArgument(L"Staywick.exe " + arguments, 2), L"");
}

TEST(SwitchArguments, OneCanonicalFormEach) {
    EXPECT_EQ(SwitchArguments(DiagnosticSwitch::Debug), L"/D");
    EXPECT_EQ(SwitchArguments(DiagnosticSwitch::Log), L"/L");
    EXPECT_EQ(SwitchArguments(DiagnosticSwitch::None), L"");
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineSwitchTest,
    ::testing::Values(
        SwitchCase{.commandLine = L"Staywick.exe /D", .expected = DiagnosticSwitch::Debug},
        SwitchCase{.commandLine = L"Staywick.exe /d", .expected = DiagnosticSwitch::Debug},
        SwitchCase{.commandLine = L"Staywick.exe /L", .expected = DiagnosticSwitch::Log},
        SwitchCase{.commandLine = L"Staywick.exe /l", .expected = DiagnosticSwitch::Log},
        SwitchCase{.commandLine = L"Staywick.exe \"/D\"", .expected = DiagnosticSwitch::Debug},
        SwitchCase{.commandLine = L"Staywick.exe /D /L", .expected = DiagnosticSwitch::Debug},
        SwitchCase{.commandLine = L"Staywick.exe /L /D", .expected = DiagnosticSwitch::Log},
        SwitchCase{.commandLine = L"Staywick.exe /DL", .expected = DiagnosticSwitch::None},
        SwitchCase{.commandLine = L"Staywick.exe -D", .expected = DiagnosticSwitch::None},
        SwitchCase{.commandLine = L"Staywick.exe x /D", .expected = DiagnosticSwitch::None},
        SwitchCase{.commandLine = L"Staywick.exe", .expected = DiagnosticSwitch::None},
        SwitchCase{.commandLine = L"", .expected = DiagnosticSwitch::None},
        // The program path itself may be quoted and hold blanks.
        SwitchCase{.commandLine = L"\"C:\\Program Files\\Staywick\\Staywick.exe\" /l",
                   .expected = DiagnosticSwitch::Log},
        // Tabs and other control characters separate arguments too.
        SwitchCase{.commandLine = L"Staywick.exe\t/D", .expected = DiagnosticSwitch::Debug},
        SwitchCase{.commandLine = L"Staywick.exe   \x01/L", .expected = DiagnosticSwitch::Log},
        // Quotes in the middle join the stretch and vanish.
        SwitchCase{.commandLine = L"Staywick.exe /\"L\"", .expected = DiagnosticSwitch::Log}));

TEST(CommandLineArgument, SplitsAtBlanksAndKeepsQuotedStretches) {
    const std::wstring line = L"  \"C:\\My Apps\\S.exe\"  first \"two words\" a\"b c\"d";
    EXPECT_EQ(CommandLineArgument(line, 0), L"C:\\My Apps\\S.exe");
    EXPECT_EQ(CommandLineArgument(line, 1), L"first");
    EXPECT_EQ(CommandLineArgument(line, 2), L"two words");
    EXPECT_EQ(CommandLineArgument(line, 3), L"ab cd");
    EXPECT_EQ(CommandLineArgument(line, 4), L"");
}

} // namespace
} // namespace staywick
