#pragma once
// What the Automatic dialog's rows for a program in front and a window title
// accept: a list of file names typed in one field, separated by ";", and a
// name picked from the running programs joining that list.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace staywick {

struct TypedProgramList {
    std::vector<std::wstring> names{}; // each as the "Add" of the program list makes it
    std::wstring refused{};            // the first entry no file name can be; empty: none
};

// Each entry as CheckProgramEntry takes a typed name: blanks dropped, ".exe"
// added to a name without a ".", repeats (any case) kept once, empty entries
// skipped. An entry with a folder or a wildcard is refused.
TypedProgramList CheckTypedProgramList(std::wstring_view typed);

// The typed list with `name` after it ("a.exe" and "b.exe" give "a.exe;
// b.exe"); the text as it is when the name is already there.
std::wstring WithProgramAdded(std::wstring_view typed, const std::wstring& name);

} // namespace staywick
