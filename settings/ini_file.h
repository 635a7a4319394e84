#pragma once
// The settings file's bytes and its encoding. A file whose values are all
// printable ASCII stays in bytes, as the profile API writes it, byte for
// byte. When a value needs more (a program named in Polish or Greek), the
// whole file becomes UTF-16LE with its byte-order mark, which Windows'
// profile functions read and write as Unicode; the rest of it is carried
// over as the profile API read it (the ANSI code page), so nothing is lost.
// A UTF-16LE file stays so.
#include "platform/profile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace staywick {

// The value of a key in the file's bytes; nothing when the section or the
// key is missing.
std::optional<std::wstring> ReadIniFileValue(std::string_view file, std::wstring_view section,
                                             std::wstring_view key);

// The file's bytes with every entry set in order; nothing when a name or a
// value cannot be written (ini_text.h).
std::optional<std::string> SetIniFileValues(std::string_view file, std::wstring_view section,
                                            const std::vector<ProfileEntry>& entries);

} // namespace staywick
