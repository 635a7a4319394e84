#include "diag/log_lines.h"

#include "common/decimal_text.h"
#include "common/text_functions.h"

namespace staywick {

std::wstring LogHeaderStars() {
    return std::wstring(31, L'*') + L' ';
}

std::wstring LogHeaderActive(bool active) {
    return std::wstring(L"Active: ") + (active ? L"True" : L"False");
}

std::wstring LogHeaderMaxSleep(std::int32_t minutes) {
    return L"MaxSleep: " + DecimalText(minutes);
}

std::wstring FormatIdleTime(std::uint32_t idleMilliseconds) {
    return L"Windows has been idle for " + DecimalText(idleMilliseconds) + L" milliseconds.";
}

std::wstring LogFileNameFor(const std::wstring& settingsPath) {
    return ReplaceAllNoCase(settingsPath, L".Settings", L".log");
}

} // namespace staywick
