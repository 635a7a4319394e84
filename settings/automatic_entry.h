#pragma once
// What the Automatic dialog accepts from the user: a typed program name, the
// running programs offered to pick from, and its number fields.
#include "platform/process_watch.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace staywick {

enum class ProgramEntryOutcome {
    Add,           // `name` joins the list
    Empty,         // nothing typed
    NotAFileName,  // a folder, a wildcard or another character no file name holds
    AlreadyListed, // `name` is the listed spelling of it
};

struct ProgramEntry {
    ProgramEntryOutcome outcome;
    std::wstring name{};
};

// Blanks around the typed text are dropped; a name without any "." gets
// ".exe", as processes are known by their file names ("notepad" is
// "notepad.exe"). A name already listed (letter case ignored) answers the
// listed spelling.
ProgramEntry CheckProgramEntry(const std::vector<std::wstring>& listed, std::wstring_view typed);

// The file names of a process snapshot to pick from: sorted without regard
// to case, each once, names that the list could not hold left out.
std::vector<std::wstring> RunningProgramNames(const std::vector<RunningProcess>& processes);

// A number field's value: a text that is no whole number counts as `low`,
// one outside [low, high] as the nearer bound.
std::int32_t BoundedFieldValue(std::wstring_view text, std::int32_t low, std::int32_t high);

} // namespace staywick
