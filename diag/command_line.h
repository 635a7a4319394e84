#pragma once
// The command-line switches: only the first argument after the program path
// counts, upper-cased (a to z only) and compared whole with "/D" and "/L".
#include <string>

namespace staywick {

enum class DiagnosticSwitch { None, Debug, Log };

// The argument at `index` (0 = the program path): arguments are split at
// blanks and control characters; a double-quoted stretch stays together and
// loses its quotes. Empty when there are fewer arguments.
std::wstring CommandLineArgument(const std::wstring& commandLine, int index);

// Upper-cases the letters a to z and nothing else.
std::wstring UpperAscii(std::wstring text);

DiagnosticSwitch SwitchFromCommandLine(const std::wstring& commandLine);

// The arguments that start the program again with the same switch: "/D",
// "/L", or none (empty).
std::wstring SwitchArguments(DiagnosticSwitch value);

} // namespace staywick
