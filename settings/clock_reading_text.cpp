#include "settings/clock_reading_text.h"

namespace staywick {

namespace {

constexpr std::int64_t kMinuteMs = 60000;
constexpr std::int64_t kDayMinutes = 1440;
constexpr std::int64_t kFirstYear = 1970;
constexpr std::int64_t kLastYear = 9999;

struct CivilDate {
    std::int64_t year;
    std::int64_t month; // 1..12
    std::int64_t day;   // 1..31

    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Days since 1970-01-01 and back, for years from 1970 on (so no negative
// eras): the usual shift of the year's start to March 1st, which puts the
// leap day last.
std::int64_t DaysFromCivil(CivilDate date) {
    const std::int64_t y = date.year - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = y / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear =
        (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate CivilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = days / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const std::int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

void AppendDigits(std::wstring& text, std::int64_t value, int digits) {
    std::wstring part(static_cast<std::size_t>(digits), L'0');
    for (int i = digits - 1; i >= 0; --i, value /= 10)
        part[static_cast<std::size_t>(i)] = static_cast<wchar_t>(L'0' + value % 10);
    text += part;
}

std::optional<std::int64_t> Digits(std::wstring_view text) {
    std::int64_t value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    return value;
}

} // namespace

std::wstring ClockReadingText(std::int64_t localMs) {
    const std::int64_t minutes = localMs / kMinuteMs;
    const CivilDate date = CivilFromDays(minutes / kDayMinutes);
    const std::int64_t minuteOfDay = minutes % kDayMinutes;
    std::wstring text;
    AppendDigits(text, date.year, 4);
    text += L'-';
    AppendDigits(text, date.month, 2);
    text += L'-';
    AppendDigits(text, date.day, 2);
    text += L' ';
    AppendDigits(text, minuteOfDay / 60, 2);
    text += L':';
    AppendDigits(text, minuteOfDay % 60, 2);
    return text;
}

std::optional<std::int64_t> ParseClockReading(std::wstring_view text) {
    if (text.size() != 16 || text[4] != L'-' || text[7] != L'-' || text[10] != L' ' ||
        text[13] != L':')
        return std::nullopt;
    const auto year = Digits(text.substr(0, 4));
    const auto month = Digits(text.substr(5, 2));
    const auto day = Digits(text.substr(8, 2));
    const auto hour = Digits(text.substr(11, 2));
    const auto minute = Digits(text.substr(14, 2));
    if (!year || !month || !day || !hour || !minute || *year < kFirstYear || *year > kLastYear ||
        *hour > 23 || *minute > 59)
        return std::nullopt;
    const CivilDate date{*year, *month, *day};
    if (*month < 1 || *month > 12 || *day < 1)
        return std::nullopt;
    const std::int64_t days = DaysFromCivil(date);
    // A day past the month's end (31 April, 29 February of a common year)
    // comes back as another date.
    if (CivilFromDays(days) != date)
        return std::nullopt;
    return (days * kDayMinutes + *hour * 60 + *minute) * kMinuteMs;
}

} // namespace staywick
