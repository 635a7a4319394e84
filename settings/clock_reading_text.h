#pragma once
// A local clock reading to the minute (milliseconds since 1970 as the local
// clock reads them) in the settings file's form: "2026-01-05 17:00", the
// proleptic Gregorian date and the 24-hour time.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace staywick {

// Years 1970 to 9999; the seconds are dropped.
std::wstring ClockReadingText(std::int64_t localMs);

// Exactly "YYYY-MM-DD HH:MM" with a date that exists and a time of day;
// nothing for any other text.
std::optional<std::int64_t> ParseClockReading(std::wstring_view text);

} // namespace staywick
