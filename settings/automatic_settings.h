#pragma once
// Loading and saving AutomaticOptions: keys of their own in section
// "General". Each value is checked; one that is missing, does not parse or
// is out of range falls back to its default, and loading never fails.
#include "engine/automatic_options.h"
#include "platform/profile.h"

#include <string>
#include <string_view>
#include <vector>

namespace staywick {

// "a.exe; b.exe;;c.exe" -> a.exe, b.exe, c.exe. Blanks around a name are
// dropped, and so are names that cannot be a file name (a path, a wildcard)
// and repeats (letter case ignored).
std::vector<std::wstring> ParseProgramList(std::wstring_view text);
// Names joined by ";".
std::wstring ProgramListText(const std::vector<std::wstring>& programs);
// The text without the blanks around it.
std::wstring_view TrimmedProgramName(std::wstring_view text);
// A name the list can hold: a file name without folder or wildcard.
bool IsProgramFileName(std::wstring_view name);

AutomaticOptions LoadAutomaticOptions(ProfilePort& profile, const std::wstring& iniFile);

// Writes every key in one step, then flushes; a refused write throws
// AppError "Unable to write to <iniFile>" and leaves the file as it was.
void SaveAutomaticOptions(ProfilePort& profile, const std::wstring& iniFile,
                          const AutomaticOptions& options);

} // namespace staywick
