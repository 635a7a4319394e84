#pragma once
// Commands for the running instance: the grammar of the command line
// ("/on", "-for 30", "/UNTIL 17:30", ...), the text that carries a command to
// the running instance in WM_COPYDATA, the check of that untrusted data, and
// the exit codes that scripts read.
#include "engine/end_action.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace staywick {

enum class CommandKind { On, Off, Toggle, For, Until, Status, Exit, While, Extend };

struct RemoteCommand {
    CommandKind kind = CommandKind::Status;
    // Minutes for For (1..1440), minutes after midnight for Until (0..1439).
    std::int32_t value = 0;
    // For While: a process id in decimal, or a file name without a folder.
    std::wstring program{};
    // For For, Until and While: "/then <action>", for that session alone.
    std::optional<EndAction> then{};
    // For Extend: the minutes added to the current end (1..1440), in `value`.

    friend bool operator==(const RemoteCommand&, const RemoteCommand&) = default;
};

// Exit codes (the BSD sysexits values for the failures).
inline constexpr int kExitDone = 0;
inline constexpr int kExitUsage = 64;       // unknown command or value out of range
inline constexpr int kExitUnavailable = 69; // the running instance did not answer in time
inline constexpr int kExitNotSaved = 74;    // in force, but the settings could not be saved
inline constexpr int kExitNoDesktop = 75;   // the caller runs without the user's desktop
inline constexpr int kExitDisabled = 77;    // the Disabled policy turns the program off
inline constexpr int kExitElevated = 78;    // no instance, and none is started elevated
// What "/status" answers.
inline constexpr int kStatusOff = 0;
inline constexpr int kStatusOn = 1;
inline constexpr int kStatusOnWithEnd = 2;

inline constexpr std::int32_t kMaxForMinutes = 1440;
// The longest "/while" value; with the command it fits into the data limit.
inline constexpr std::size_t kMaxWhileProgramChars = 240;

enum class CommandLineKind {
    Start,   // no command: a normal start ("/D", "/L", no argument or a plain word)
    Command, // a command for the running instance
    Invalid, // a "/" or "-" argument the program does not know, or a bad value
};

struct CommandLineParse {
    CommandLineKind kind = CommandLineKind::Start;
    RemoteCommand command;
    // For some invalid commands, the line that says what is wrong (empty:
    // the usage line says it).
    std::wstring problem{};
};

// `args` are the arguments after the program path. Names match in any letter
// case after "/" or "-"; "/for", "/until" and "/extend" take exactly one
// value, the others none. "/while" takes a process id or a file name (at most
// kMaxWhileProgramChars characters, no folder, no wildcard). "/for", "/until"
// and "/while" may end in "/then display|lock|sleep|hibernate|shutdown".
CommandLineParse ParseCommandLineArguments(const std::vector<std::wstring>& args);

// The form a command travels in: "/on", "/for 30", "/until 07:05",
// "/while notepad.exe", "/for 30 /then sleep", "/extend 60".
std::wstring CommandText(const RemoteCommand& command);
// Reads a command text back; nullopt for anything that is not one.
std::optional<RemoteCommand> ParseCommandText(const std::wstring& text);

// WM_COPYDATA tags: a command for the instance, the instance's line back.
inline constexpr std::uintptr_t kCommandDataTag = 0x53574331; // "SWC1"
inline constexpr std::uintptr_t kReplyDataTag = 0x53575231;   // "SWR1"
// The largest command text the instance accepts, terminator included.
inline constexpr std::size_t kMaxCommandDataBytes = 256 * sizeof(wchar_t);
// The longest line the instance sends back (ReplyLine cuts a longer one), and
// the largest reply the commanding process accepts, terminator included.
inline constexpr std::size_t kMaxReplyChars = 1000;
inline constexpr std::size_t kMaxReplyDataBytes = (kMaxReplyChars + 1) * sizeof(wchar_t);

// The text inside data from another process, when it has the expected tag,
// a size of whole UTF-16 units within `maxBytes`, one terminating null at the
// end and none before it. Anything else gives nullopt.
std::optional<std::wstring> TextFromCopyData(std::uintptr_t tag, std::uintptr_t expectedTag,
                                             const void* data, std::size_t bytes,
                                             std::size_t maxBytes);

// The line as it travels back: a line longer than kMaxReplyChars is cut to
// that length, its last three characters "...", never inside a surrogate pair.
std::wstring ReplyLine(std::wstring line);

// The lines of a command that changed nothing, or did not reach the file.
inline constexpr wchar_t kTurnedOffByPolicyLine[] = L"Staywick is turned off by your organization";
inline constexpr wchar_t kEndActionForbiddenLine[] =
    L"Ending a session with an action is turned off by your organization";
inline constexpr wchar_t kNothingToExtendLine[] =
    L"Nothing to extend: Staywick is not on for a time with an end";
// "<status line>. The settings could not be saved: <the error's text>".
std::wstring NotSavedLine(const std::wstring& statusLine, const std::wstring& error);

// The instance answers WM_COPYDATA with this base plus the exit code, so an
// answer cannot be confused with a window that ignored the message (0).
inline constexpr std::intptr_t kCommandAnswerBase = 0x5300;
// The exit code inside an answer; nullopt for anything else.
std::optional<int> ExitCodeFromAnswer(std::intptr_t answer);

} // namespace staywick
