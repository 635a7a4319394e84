#include "diag/log_lines.h"

#include "common/text_functions.h"

namespace staywick {

std::wstring LogHeaderStars() {
    return std::wstring(31, L'*') + L' ';
}

std::wstring LogHeaderActive(bool active) {
    return std::wstring(L"Active: ") + (active ? L"True" : L"False");
}

std::wstring LogHeaderMaxSleep(std::int32_t minutes) {
    return L"MaxSleep: " + std::to_wstring(minutes);
}

std::wstring FormatIdleTime(std::uint32_t idleMilliseconds) {
    return L"Windows has been idle for " + std::to_wstring(idleMilliseconds) + L" milliseconds.";
}

std::wstring LogFileNameFor(const std::wstring& settingsPath) {
    return ReplaceAllNoCase(settingsPath, L".Settings", L".log");
}

} // namespace staywick
