#include "engine/remote_command.h"

#include "common/decimal_text.h"
#include "common/integer_text.h"
#include "common/text_functions.h"

#include <cstring>

namespace staywick {

namespace {

struct CommandName {
    const wchar_t* name;
    CommandKind kind;
    bool takesValue;
};

constexpr CommandName kCommandNames[] = {
    {L"on", CommandKind::On, false},         {L"off", CommandKind::Off, false},
    {L"toggle", CommandKind::Toggle, false}, {L"for", CommandKind::For, true},
    {L"until", CommandKind::Until, true},    {L"status", CommandKind::Status, false},
    {L"exit", CommandKind::Exit, false},     {L"while", CommandKind::While, true},
    {L"extend", CommandKind::Extend, true},
};

constexpr wchar_t kWhileNeedsValue[] =
    L"/while needs a process id or a program's file name, such as /while notepad.exe";
constexpr wchar_t kWhileBadValue[] =
    L"/while takes a process id or a file name without a folder, such as notepad.exe";
constexpr wchar_t kThenBadValue[] =
    L"/then takes display, lock, sleep, hibernate or shutdown, after /for, /until or /while";
constexpr wchar_t kThenName[] = L"then";

bool TakesThen(CommandKind kind) {
    return kind == CommandKind::For || kind == CommandKind::Until || kind == CommandKind::While;
}

// "/then" or "-then", any case.
bool IsThenSwitch(const std::wstring& arg) {
    return arg.size() > 1 && (arg[0] == L'/' || arg[0] == L'-') &&
           LowerAscii(arg.substr(1)) == kThenName;
}

// "H:MM" or "HH:MM", 24-hour.
std::optional<std::int32_t> MinuteOfDay(std::wstring_view text) {
    const std::size_t colon = text.find(L':');
    if (colon == std::wstring_view::npos || text.size() - colon - 1 != 2)
        return std::nullopt;
    const auto hours = ParseDigits(text.substr(0, colon), 2);
    const auto minutes = ParseDigits(text.substr(colon + 1), 2);
    if (!hours || !minutes || *hours > 23 || *minutes > 59)
        return std::nullopt;
    return static_cast<std::int32_t>(*hours * 60 + *minutes);
}

std::wstring TwoDigits(std::int32_t value) {
    return value < 10 ? L"0" + DecimalText(value) : DecimalText(value);
}

// A process id (decimal digits), or a file name as a listed program's: no
// folder, no wildcard, not empty, not too long to travel.
bool IsWhileValue(const std::wstring& text) {
    if (text.empty() || text.size() > kMaxWhileProgramChars)
        return false;
    return text.find_first_of(L"\\/:*?\"<>|") == std::wstring::npos && text != L"." &&
           text != L"..";
}

std::optional<RemoteCommand> Command(const CommandName& name,
                                     const std::vector<std::wstring>& args) {
    if (args.size() != (name.takesValue ? 2u : 1u))
        return std::nullopt;
    RemoteCommand command{name.kind, 0};
    if (name.kind == CommandKind::For || name.kind == CommandKind::Extend) {
        const auto minutes = ParseDigits(args[1], 4);
        if (!minutes)
            return std::nullopt;
        command.value = static_cast<std::int32_t>(*minutes);
        if (command.value < 1 || command.value > kMaxForMinutes)
            return std::nullopt;
    } else if (name.kind == CommandKind::Until) {
        const auto minute = MinuteOfDay(args[1]);
        if (!minute)
            return std::nullopt;
        command.value = *minute;
    } else if (name.kind == CommandKind::While) {
        if (!IsWhileValue(args[1]))
            return std::nullopt;
        command.program = args[1];
    }
    return command;
}

} // namespace

CommandLineParse ParseCommandLineArguments(const std::vector<std::wstring>& args) {
    if (args.empty() || args[0].empty() || (args[0][0] != L'/' && args[0][0] != L'-'))
        return {CommandLineKind::Start, {}};
    const std::wstring first = LowerAscii(args[0]);
    // The diagnostic switches keep their own rule: only the first argument counts.
    if (first == L"/d" || first == L"/l")
        return {CommandLineKind::Start, {}};
    for (const CommandName& name : kCommandNames) {
        if (first.compare(1, std::wstring::npos, name.name) != 0)
            continue;
        // "/then <action>" after the command's value, for that session alone.
        std::vector<std::wstring> own = args;
        std::optional<EndAction> then;
        if (TakesThen(name.kind) && own.size() >= 2 && IsThenSwitch(own[own.size() - 2])) {
            then = EndActionFromWord(own.back());
            if (!then)
                return {CommandLineKind::Invalid, {}, kThenBadValue};
            own.resize(own.size() - 2);
        }
        if (auto command = Command(name, own)) {
            command->then = then;
            return {CommandLineKind::Command, *command};
        }
        if (name.kind == CommandKind::While)
            return {
                CommandLineKind::Invalid, {}, args.size() < 2 ? kWhileNeedsValue : kWhileBadValue};
        break;
    }
    return {CommandLineKind::Invalid, {}};
}

std::wstring CommandText(const RemoteCommand& command) {
    for (const CommandName& name : kCommandNames) {
        if (name.kind != command.kind)
            continue;
        std::wstring text = L"/" + std::wstring(name.name);
        if (command.kind == CommandKind::For || command.kind == CommandKind::Extend)
            text += L" " + DecimalText(command.value);
        if (command.kind == CommandKind::Until)
            text += L" " + TwoDigits(command.value / 60) + L":" + TwoDigits(command.value % 60);
        if (command.kind == CommandKind::While)
            text += L" " + command.program;
        if (command.then)
            text += L" /" + std::wstring(kThenName) + L" " + EndActionWord(*command.then);
        return text;
    }
    return {};
}

std::optional<RemoteCommand> ParseCommandText(const std::wstring& text) {
    // One blank between the name and its value, as CommandText writes it;
    // "/then" and its word last (a "/while" value holds no "/").
    std::vector<std::wstring> args;
    std::wstring rest = text;
    std::vector<std::wstring> then;
    const std::size_t thenAt = rest.rfind(L" /" + std::wstring(kThenName) + L" ");
    if (thenAt != std::wstring::npos) {
        const std::size_t word = rest.find(L' ', thenAt + 1);
        then = {rest.substr(thenAt + 1, word - thenAt - 1), rest.substr(word + 1)};
        rest.resize(thenAt);
    }
    const std::size_t blank = rest.find(L' ');
    args.push_back(rest.substr(0, blank));
    if (blank != std::wstring::npos)
        args.push_back(rest.substr(blank + 1));
    args.insert(args.end(), then.begin(), then.end());
    const CommandLineParse parse = ParseCommandLineArguments(args);
    if (parse.kind != CommandLineKind::Command)
        return std::nullopt;
    return parse.command;
}

std::optional<std::wstring> TextFromCopyData(std::uintptr_t tag, std::uintptr_t expectedTag,
                                             const void* data, std::size_t bytes,
                                             std::size_t maxBytes) {
    if (tag != expectedTag || !data || bytes < sizeof(wchar_t) || bytes > maxBytes ||
        bytes % sizeof(wchar_t) != 0) {
        return std::nullopt;
    }
    // Copied out before it is read: the buffer may not be aligned for wchar_t.
    std::wstring text(bytes / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), data, bytes);
    if (text.back() != L'\0')
        return std::nullopt;
    text.pop_back();
    if (text.find(L'\0') != std::wstring::npos)
        return std::nullopt;
    return text;
}

std::wstring ReplyLine(std::wstring line) {
    if (line.size() <= kMaxReplyChars)
        return line;
    std::size_t keep = kMaxReplyChars - 3;
    // A high surrogate without its low half would print as a replacement mark.
    if (line[keep - 1] >= 0xD800 && line[keep - 1] <= 0xDBFF)
        --keep;
    line.resize(keep);
    return line + L"...";
}

std::wstring NotSavedLine(const std::wstring& statusLine, const std::wstring& error) {
    return statusLine + L". The settings could not be saved: " + error;
}

std::optional<int> ExitCodeFromAnswer(std::intptr_t answer) {
    if (answer < kCommandAnswerBase || answer > kCommandAnswerBase + 255)
        return std::nullopt;
    return static_cast<int>(answer - kCommandAnswerBase);
}

} // namespace staywick
