#pragma once
// Integers as the settings file and the version resource write them.
#include <cstdint>
#include <optional>
#include <string_view>

namespace staywick {

// The integer grammar: leading spaces (only spaces); an optional "+" or "-";
// then hexadecimal after "$", "x", "X", "0x" or "0X" (at most 8 significant
// digits, taken as a 32-bit pattern) or decimal that fits a signed 32-bit
// integer; the digits run to the end. Nothing when the text deviates.
std::optional<std::int32_t> ParseInteger(std::wstring_view text);

} // namespace staywick
