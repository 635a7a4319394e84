#pragma once
// Path text helpers shared by the settings file, the activity log and the
// license viewer's temporary file.
#include <string>

namespace staywick {

// An empty path stays empty; otherwise "\" is appended unless already last.
std::wstring WithTrailingBackslash(const std::wstring& path);

} // namespace staywick
