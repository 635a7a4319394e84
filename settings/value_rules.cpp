#include "settings/value_rules.h"

#include "common/decimal_text.h"

namespace staywick {

std::int32_t ReadInteger(std::wstring_view text, std::int32_t defaultValue) {
    return ParseInteger(text).value_or(defaultValue);
}

std::int32_t ReadInRange(std::wstring_view text, std::int32_t low, std::int32_t high,
                         std::int32_t defaultValue) {
    const std::int32_t value = ReadInteger(text, defaultValue);
    return value >= low && value <= high ? value : defaultValue;
}

bool ReadBoolean(std::wstring_view text, bool defaultValue) {
    return ReadInteger(text, defaultValue ? 1 : 0) != 0;
}

std::wstring IntegerText(std::int32_t value) {
    return DecimalText(value);
}

std::wstring BooleanText(bool value) {
    return value ? L"1" : L"0";
}

} // namespace staywick
