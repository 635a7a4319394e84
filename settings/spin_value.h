#pragma once
// The rules of the Options dialog's numeric field (maximum idle time in
// minutes): what may be typed, how its text is read, stepped and bounded.
#include <cstdint>
#include <optional>
#include <string>

namespace staywick {

inline constexpr std::int32_t kSpinMin = 1;
inline constexpr std::int32_t kSpinMax = 9999;

// Digits, "+", "-", the locale's decimal separator and control keys
// (Backspace, Ctrl+V and the like); anything else is refused with a beep.
bool IsSpinCharAllowed(wchar_t ch, const std::wstring& decimalSeparator);

// The whole number a text holds. A run of decimal digits too long for 32
// bits still counts as a number (far outside the range), so it is bounded
// rather than read as 1.
std::optional<std::int64_t> SpinNumber(const std::wstring& text);

std::int32_t ClampSpin(std::int64_t value);

// The field's number wherever it is read: bounded to 1..9999, and 1 for a
// text that is no whole number.
std::int32_t SpinValue(const std::wstring& text);

// The number after an arrow key or an up/down button press (delta +1 or -1).
std::int32_t SteppedSpinValue(const std::wstring& text, std::int32_t delta);

// The text after the field loses the focus: a number outside 1..9999 becomes
// the nearer bound; anything else stays as typed (nothing to change).
std::optional<std::wstring> SpinTextOnFocusLoss(const std::wstring& text);

// Whether the unit label reads "Minute" (the number as typed is 1, or the
// text is no whole number) or "Minutes".
bool SpinShowsSingular(const std::wstring& text);

} // namespace staywick
