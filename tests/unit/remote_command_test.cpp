// The command-line grammar for the running instance, the text a command
// travels in, the check of data from another process, and the answers.
#include "engine/remote_command.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace staywick {
namespace {

struct GrammarRow {
    std::vector<std::wstring> args;
    CommandLineKind kind;
    RemoteCommand command = {};
};

constexpr auto Start = CommandLineKind::Start;
constexpr auto Cmd = CommandLineKind::Command;
constexpr auto Bad = CommandLineKind::Invalid;

TEST(CommandGrammar, EveryCommandCaseSignAndValue) {
    const GrammarRow rows[] = {
        // Normal starts: nothing, the diagnostic switches, a plain word.
        {{}, Start},
        {{L"/D"}, Start},
        {{L"/l"}, Start},
        {{L"/D", L"/on"}, Start},
        {{L"hello"}, Start},
        // Every command, both leaders, any case.
        {{L"/on"}, Cmd, {CommandKind::On}},
        {{L"-ON"}, Cmd, {CommandKind::On}},
        {{L"/off"}, Cmd, {CommandKind::Off}},
        {{L"-Off"}, Cmd, {CommandKind::Off}},
        {{L"/toggle"}, Cmd, {CommandKind::Toggle}},
        {{L"-TOGGLE"}, Cmd, {CommandKind::Toggle}},
        {{L"/status"}, Cmd, {CommandKind::Status}},
        {{L"-sTaTuS"}, Cmd, {CommandKind::Status}},
        {{L"/exit"}, Cmd, {CommandKind::Exit}},
        {{L"-EXIT"}, Cmd, {CommandKind::Exit}},
        {{L"/for", L"30"}, Cmd, {CommandKind::For, 30}},
        {{L"-FOR", L"1"}, Cmd, {CommandKind::For, 1}},
        {{L"/for", L"1440"}, Cmd, {CommandKind::For, 1440}},
        {{L"/for", L"0045"}, Cmd, {CommandKind::For, 45}},
        {{L"/until", L"17:30"}, Cmd, {CommandKind::Until, 1050}},
        {{L"-UNTIL", L"0:00"}, Cmd, {CommandKind::Until, 0}},
        {{L"/until", L"07:05"}, Cmd, {CommandKind::Until, 425}},
        {{L"/until", L"23:59"}, Cmd, {CommandKind::Until, 1439}},
        {{L"/while", L"notepad.exe"}, Cmd, {CommandKind::While, 0, L"notepad.exe"}},
        {{L"-WHILE", L"1234"}, Cmd, {CommandKind::While, 0, L"1234"}},
        {{L"/while", L"my app.exe"}, Cmd, {CommandKind::While, 0, L"my app.exe"}},
        // Unknown names, the old near-misses among them.
        {{L"/bogus"}, Bad},
        {{L"/"}, Bad},
        {{L"-"}, Bad},
        {{L"/DL"}, Bad},
        {{L"-D"}, Bad},
        {{L"//on"}, Bad},
        {{L"/on:"}, Bad},
        {{L"/onn"}, Bad},
        // Missing, extra, bad and out-of-range values.
        {{L"/for"}, Bad},
        {{L"/for", L"0"}, Bad},
        {{L"/for", L"1441"}, Bad},
        {{L"/for", L"-5"}, Bad},
        {{L"/for", L"+5"}, Bad},
        {{L"/for", L"5m"}, Bad},
        {{L"/for", L"99999"}, Bad},
        {{L"/for", L""}, Bad},
        {{L"/for", L"30", L"40"}, Bad},
        {{L"/until"}, Bad},
        {{L"/until", L"24:00"}, Bad},
        {{L"/until", L"12:60"}, Bad},
        {{L"/until", L"12:5"}, Bad},
        {{L"/until", L"123:00"}, Bad},
        {{L"/until", L"1230"}, Bad},
        {{L"/until", L"12:30pm"}, Bad},
        {{L"/until", L":30"}, Bad},
        {{L"/while"}, Bad},
        {{L"/while", L""}, Bad},
        {{L"/while", L"C:\\Windows\\notepad.exe"}, Bad},
        {{L"/while", L"bin/tool.exe"}, Bad},
        {{L"/while", L"note*.exe"}, Bad},
        {{L"/while", L"."}, Bad},
        {{L"/while", L".."}, Bad},
        {{L"/while", L"a.exe", L"b.exe"}, Bad},
        {{L"/while", std::wstring(241, L'a')}, Bad},
        {{L"/on", L"now"}, Bad},
        {{L"/status", L"30"}, Bad},
    };
    for (const GrammarRow& row : rows) {
        std::wstring shown;
        for (const auto& a : row.args)
            shown += L"[" + a + L"]";
        const CommandLineParse parse = ParseCommandLineArguments(row.args);
        EXPECT_EQ(parse.kind, row.kind) << std::string(shown.begin(), shown.end());
        if (row.kind == Cmd) {
            EXPECT_EQ(parse.command, row.command) << std::string(shown.begin(), shown.end());
        }
    }
}

// "/while" says what is wrong with it; other invalid commands leave that to
// the usage line.
TEST(CommandGrammar, WhileProblemsHaveTheirOwnLine) {
    const std::pair<std::vector<std::wstring>, const wchar_t*> rows[] = {
        {{L"/while"},
         L"/while needs a process id or a program's file name, such as /while notepad.exe"},
        {{L"/WHILE", L"C:\\Windows\\notepad.exe"},
         L"/while takes a process id or a file name without a folder, such as notepad.exe"},
        {{L"/while", L"."},
         L"/while takes a process id or a file name without a folder, such as notepad.exe"},
        {{L"/while", L".."},
         L"/while takes a process id or a file name without a folder, such as notepad.exe"},
        {{L"/bogus"}, L""},
        {{L"/for"}, L""},
    };
    for (const auto& [args, problem] : rows) {
        const CommandLineParse parse = ParseCommandLineArguments(args);
        EXPECT_EQ(parse.kind, Bad);
        EXPECT_EQ(parse.problem, problem);
    }
    // The longest value still fits into the data a command travels in.
    const std::wstring text = CommandText({CommandKind::While, 0, std::wstring(240, L'a')});
    EXPECT_LE((text.size() + 1) * sizeof(wchar_t), kMaxCommandDataBytes);
    EXPECT_TRUE(ParseCommandText(text).has_value());
}

TEST(CommandGrammar, ExitCodesScriptsRead) {
    EXPECT_EQ(kExitDone, 0);
    EXPECT_EQ(kExitUsage, 64);
    EXPECT_EQ(kExitUnavailable, 69);
    EXPECT_EQ(kExitNotSaved, 74);
    EXPECT_EQ(kExitNoDesktop, 75);
    EXPECT_EQ(kExitDisabled, 77);
    EXPECT_EQ(kExitElevated, 78);
    EXPECT_EQ(kStatusOff, 0);
    EXPECT_EQ(kStatusOn, 1);
    EXPECT_EQ(kStatusOnWithEnd, 2);
}

TEST(CommandText, EveryCommandTravelsAndReadsBack) {
    const std::pair<RemoteCommand, const wchar_t*> rows[] = {
        {{CommandKind::On}, L"/on"},
        {{CommandKind::Off}, L"/off"},
        {{CommandKind::Toggle}, L"/toggle"},
        {{CommandKind::Status}, L"/status"},
        {{CommandKind::Exit}, L"/exit"},
        {{CommandKind::For, 1440}, L"/for 1440"},
        {{CommandKind::Until, 425}, L"/until 07:05"},
        {{CommandKind::While, 0, L"notepad.exe"}, L"/while notepad.exe"},
        {{CommandKind::While, 0, L"my app.exe"}, L"/while my app.exe"},
        {{CommandKind::While, 0, L"4012"}, L"/while 4012"},
    };
    for (const auto& [command, text] : rows) {
        EXPECT_EQ(CommandText(command), text);
        EXPECT_EQ(ParseCommandText(text), command) << std::wstring(text).size();
    }
    for (const wchar_t* junk : {L"", L"/bogus", L"/for  30", L"/for 0", L"/until 7", L"on"})
        EXPECT_FALSE(ParseCommandText(junk).has_value());
}

struct DataRow {
    const char* name;
    std::uintptr_t tag;
    std::vector<char> bytes;
    bool accepted;
    std::size_t limit = kMaxCommandDataBytes;
};

std::vector<char> Bytes(const std::wstring& text, bool terminator = true) {
    std::vector<char> bytes((text.size() + (terminator ? 1 : 0)) * sizeof(wchar_t));
    std::memcpy(bytes.data(), text.c_str(), bytes.size());
    return bytes;
}

TEST(CopyData, OnlyTaggedWholeTerminatedTextWithinTheLimitIsRead) {
    std::vector<char> odd = Bytes(L"/on");
    odd.push_back('x');
    const std::vector<char> inner = Bytes(std::wstring(L"/o\0n", 4));
    const DataRow rows[] = {
        {"good", kCommandDataTag, Bytes(L"/on"), true},
        {"wrong tag", kReplyDataTag, Bytes(L"/on"), false},
        {"no terminator", kCommandDataTag, Bytes(L"/on", false), false},
        {"odd size", kCommandDataTag, odd, false},
        {"null inside", kCommandDataTag, inner, false},
        {"empty", kCommandDataTag, {}, false},
        {"only a terminator", kCommandDataTag, Bytes(L""), true},
        {"largest", kCommandDataTag, Bytes(std::wstring(255, L'a')), true},
        {"too large", kCommandDataTag, Bytes(std::wstring(256, L'a')), false},
        // A reply may be longer: the whole line of kMaxReplyChars travels.
        {"longest reply", kCommandDataTag, Bytes(std::wstring(1000, L'a')), true,
         kMaxReplyDataBytes},
        {"reply too large", kCommandDataTag, Bytes(std::wstring(1001, L'a')), false,
         kMaxReplyDataBytes},
    };
    for (const DataRow& row : rows) {
        const auto text = TextFromCopyData(row.tag, kCommandDataTag, row.bytes.data(),
                                           row.bytes.size(), row.limit);
        EXPECT_EQ(text.has_value(), row.accepted) << row.name;
    }
    EXPECT_FALSE(
        TextFromCopyData(kCommandDataTag, kCommandDataTag, nullptr, 8, kMaxCommandDataBytes)
            .has_value());
    const std::vector<char> good = Bytes(L"/for 30");
    EXPECT_EQ(TextFromCopyData(kCommandDataTag, kCommandDataTag, good.data(), good.size(),
                               kMaxCommandDataBytes),
              L"/for 30");
}

TEST(ReplyLine, AWholeLineUpToOneThousandCharactersAndAnEllipsisBeyond) {
    const std::wstring pair = L"\xD83D\xDE00"; // one character outside the BMP
    const struct {
        const char* name;
        std::wstring line;
        std::wstring sent;
    } rows[] = {
        {.name = "short", .line = L"Staywick is active", .sent = L"Staywick is active"},
        {.name = "over the old 255",
         .line = std::wstring(300, L'a'),
         .sent = std::wstring(300, L'a')},
        {.name = "exactly the limit",
         .line = std::wstring(1000, L'a'),
         .sent = std::wstring(1000, L'a')},
        {.name = "one over",
         .line = std::wstring(1001, L'a'),
         .sent = std::wstring(997, L'a') + L"..."},
        {.name = "far over",
         .line = std::wstring(5000, L'b'),
         .sent = std::wstring(997, L'b') + L"..."},
        {.name = "a pair across the cut stays whole",
         .line = std::wstring(996, L'a') + pair + std::wstring(10, L'a'),
         .sent = std::wstring(996, L'a') + L"..."},
        {.name = "a pair just before the cut",
         .line = std::wstring(995, L'a') + pair + std::wstring(10, L'a'),
         .sent = std::wstring(995, L'a') + pair + L"..."},
    };
    for (const auto& row : rows) {
        const std::wstring sent = ReplyLine(row.line);
        EXPECT_EQ(sent, row.sent) << row.name;
        EXPECT_LE(sent.size(), 1000u) << row.name;
    }
}

TEST(CommandAnswer, OnlyTheAnswerRangeCarriesACode) {
    EXPECT_EQ(ExitCodeFromAnswer(0x5300), 0);
    EXPECT_EQ(ExitCodeFromAnswer(0x5302), 2);
    EXPECT_EQ(ExitCodeFromAnswer(0x5300 + 64), 64);
    EXPECT_EQ(ExitCodeFromAnswer(0x53FF), 255);
    EXPECT_FALSE(ExitCodeFromAnswer(0).has_value()); // a window that ignored the data
    EXPECT_FALSE(ExitCodeFromAnswer(1).has_value());
    EXPECT_FALSE(ExitCodeFromAnswer(0x52FF).has_value());
    EXPECT_FALSE(ExitCodeFromAnswer(0x5400).has_value());
}

} // namespace
} // namespace staywick
