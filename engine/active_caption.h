#pragma once
// The status caption while keep-awake is on: "&Staywick is active", with
// what it is on for in parentheses ("30 minutes", "until 17:30", "while
// obs64.exe runs") and, while the display may sleep, that too. Each form is
// one whole sentence with a placeholder, never pieces put together, so a
// translation can order its words as its language needs.
#include <string>

namespace staywick {

// The sentence with its "%1" replaced by `value`.
std::wstring FilledPlaceholder(std::wstring sentence, const std::wstring& value);

// `detail` empty: no parentheses for it.
std::wstring ActiveCaption(const std::wstring& detail, bool displayMaySleep);

} // namespace staywick
