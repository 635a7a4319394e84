#pragma once
// How one settings value is read from its text and written back. The same
// rules hold on every platform, whatever reads the file.
#include "common/integer_text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace staywick {

// The parsed value, or the key's default when the text does not parse.
std::int32_t ReadInteger(std::wstring_view text, std::int32_t defaultValue);

// The value when it parses and lies in [low, high], else the default.
std::int32_t ReadInRange(std::wstring_view text, std::int32_t low, std::int32_t high,
                         std::int32_t defaultValue);

// Read as an integer whose default is 1 or 0; true when that is not 0.
bool ReadBoolean(std::wstring_view text, bool defaultValue);

// Plain decimal: "-" for negatives, no "+", no leading zeros.
std::wstring IntegerText(std::int32_t value);

// "1" or "0".
std::wstring BooleanText(bool value);

} // namespace staywick
