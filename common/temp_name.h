#pragma once
// Names of the license viewer's temporary file: "TMP", five characters of
// the time of day, then the extension. The rules are portable; creating the
// file is in common/win32/temp_file.h.
#include <cstdint>
#include <string>

namespace staywick {

inline constexpr std::uint32_t kMillisecondsPerDay = 86400000;

// The fraction of the day (milliseconds since midnight / a day's length)
// formatted with the pattern "#.########": no leading zero, at most eight
// decimals, rounded, trailing zeros dropped; empty for midnight.
std::wstring FormatDayFraction(std::uint32_t msOfDay, const std::wstring& decimalSeparator);

// "rtf" and " rtf " become ".rtf"; ".rtf" and "" stay as they are.
std::wstring NormalizeTempExtension(const std::wstring& extension);

// "TMP", the 5th to 9th characters of the formatted day fraction (fewer,
// possibly none, when it is shorter), then the normalized extension.
std::wstring TempFileNameFor(std::uint32_t msOfDay, const std::wstring& decimalSeparator,
                             const std::wstring& extension);

} // namespace staywick
