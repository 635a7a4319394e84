#pragma once
// Integers as the settings file and the version resource write them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace staywick {

// The integer grammar: leading spaces (only spaces); an optional "+" or "-";
// then hexadecimal after "$", "x", "X", "0x" or "0X" (at most 8 significant
// digits, taken as a 32-bit pattern) or decimal that fits a signed 32-bit
// integer; the digits run to the end. Nothing when the text deviates.
std::optional<std::int32_t> ParseInteger(std::wstring_view text);

// Plain decimal digits and nothing else (no sign, no blanks, no prefix), as
// a command line or a process id writes them, at most `maxDigits` of them
// (any number by default). Nothing when the text is empty, deviates, has
// more digits or exceeds 32 bits.
std::optional<std::uint32_t> ParseDigits(std::wstring_view text,
                                         std::size_t maxDigits = std::wstring_view::npos);

} // namespace staywick
