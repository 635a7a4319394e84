#pragma once
// The INI text of a settings file, read and edited as the profile API does,
// for platforms without that API and for the writes that must change several
// keys at once. The text is either bytes (a byte stands for the character of
// the same code, and what is written must be printable ASCII) or UTF-16 text
// (one wchar_t per character, what is written must hold no control
// character). Lines end with LF or CR LF; lines written end with CR LF.
//
// Reading: the first section whose name matches and, in it, the first key
// that matches, both without regard to ASCII letter case; blanks around the
// key and the value are dropped and one pair of matching quotes around the
// value is removed. A line without "=" is a key without a value.
//
// Writing replaces the key's line where it stands, adds a missing key after
// the last key of its section and a missing section at the end of the text.
// Every other line is kept as it is.
#include <optional>
#include <string>
#include <string_view>

namespace staywick {

// The value, or nothing when the section or the key is missing.
std::optional<std::wstring> FindIniValue(std::string_view text, std::wstring_view section,
                                         std::wstring_view key);
std::optional<std::wstring> FindIniValue(std::wstring_view text, std::wstring_view section,
                                         std::wstring_view key);

// The text with the key set to value, or nothing when a name or the value
// cannot be written: an empty name, a name outside printable ASCII, a key
// with "=", blanks at either end, or "[" or ";" in front, a section with "]",
// a value outside printable ASCII (bytes) or with a control character (text).
std::optional<std::string> SetIniValue(std::string_view text, std::wstring_view section,
                                       std::wstring_view key, std::wstring_view value);
std::optional<std::wstring> SetIniValue(std::wstring_view text, std::wstring_view section,
                                        std::wstring_view key, std::wstring_view value);

// Whether every character is printable ASCII: such a value keeps a byte file
// as it is.
bool IsPrintableAscii(std::wstring_view text) noexcept;

} // namespace staywick
