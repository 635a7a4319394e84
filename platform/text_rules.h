#pragma once
// The system's rules for text: file names compared without regard to case,
// and the bytes of a file in the system's ANSI code page. The Windows build
// takes the system's own (platform/win32/text_rules_win32.cpp); the native
// build a portable stand-in (platform/native/text_rules_native.cpp).
#include <string>
#include <string_view>

namespace staywick {

// Both texts mapped to upper case, character by character, then compared by
// code: below 0, 0 or above 0. The file system compares file names so; on
// Windows CompareStringOrdinal with its case ignored.
int CompareIgnoringCase(std::wstring_view a, std::wstring_view b) noexcept;

// The text upper-cased by the same table, character for character (the
// length stays): what window titles are matched in (engine/title_patterns.h).
// On Windows LCMapStringEx with LCMAP_UPPERCASE and the invariant locale.
std::wstring UpperCaseText(std::wstring_view text);

// Bytes of the system's ANSI code page as text, as the profile API reads a
// file without a byte-order mark.
std::wstring AnsiCodePageText(std::string_view bytes);

} // namespace staywick
