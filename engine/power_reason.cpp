#include "engine/power_reason.h"

namespace staywick {

namespace {
std::wstring TwoDigits(int value) {
    return value < 10 ? L"0" + std::to_wstring(value) : std::to_wstring(value);
}
} // namespace

std::wstring FormatClockTime(LocalClockTime time) {
    return TwoDigits(time.hour) + L":" + TwoDigits(time.minute);
}

std::wstring PowerRequestReason(const std::optional<LocalClockTime>& until) {
    std::wstring reason = L"Staywick keeps this computer awake";
    if (until)
        reason += L" until " + FormatClockTime(*until);
    return reason;
}

} // namespace staywick
