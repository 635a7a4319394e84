#include "settings/spin_value.h"

#include "common/decimal_text.h"
#include "settings/value_rules.h"

#include <algorithm>

namespace staywick {

bool IsSpinCharAllowed(wchar_t ch, const std::wstring& decimalSeparator) {
    if (ch < L' ' || ch == 0x7F)
        return true;
    if ((ch >= L'0' && ch <= L'9') || ch == L'+' || ch == L'-')
        return true;
    return decimalSeparator.find(ch) != std::wstring::npos;
}

std::optional<std::int64_t> SpinNumber(const std::wstring& text) {
    if (const auto value = ParseInteger(text))
        return *value;
    // Only an over-long decimal number is left to recognise here.
    std::size_t i = text.find_first_not_of(L' ');
    if (i == std::wstring::npos)
        return std::nullopt;
    bool negative = false;
    if (text[i] == L'+' || text[i] == L'-') {
        negative = text[i] == L'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    for (std::size_t k = i; k < text.size(); ++k) {
        if (text[k] < L'0' || text[k] > L'9')
            return std::nullopt;
    }
    return negative ? INT64_MIN : INT64_MAX;
}

std::int32_t ClampSpin(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, kSpinMin, kSpinMax));
}

std::int32_t SpinValue(const std::wstring& text) {
    const auto number = SpinNumber(text);
    return number ? ClampSpin(*number) : kSpinMin;
}

std::int32_t SteppedSpinValue(const std::wstring& text, std::int32_t delta) {
    return ClampSpin(std::int64_t{SpinValue(text)} + delta);
}

std::optional<std::wstring> SpinTextOnFocusLoss(const std::wstring& text) {
    const auto number = SpinNumber(text);
    if (!number || (*number >= kSpinMin && *number <= kSpinMax))
        return std::nullopt;
    return DecimalText(ClampSpin(*number));
}

bool SpinShowsSingular(const std::wstring& text) {
    // The label follows the number as typed, before any bounding: "0" reads "Minutes".
    const auto number = SpinNumber(text);
    return !number || *number == 1;
}

} // namespace staywick
