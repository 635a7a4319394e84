#include "engine/power_reason.h"

#include "common/decimal_text.h"

namespace staywick {

namespace {
std::wstring TwoDigits(int value) {
    return value < 10 ? L"0" + DecimalText(value) : DecimalText(value);
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
