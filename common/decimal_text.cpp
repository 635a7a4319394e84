#include "common/decimal_text.h"

namespace staywick {

std::wstring DecimalDigits(unsigned long long magnitude, bool negative) {
    wchar_t buffer[24]; // 20 digits of 2^64 - 1, the sign, room to spare
    wchar_t* first = buffer + sizeof(buffer) / sizeof(buffer[0]);
    do {
        *--first = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative)
        *--first = L'-';
    return std::wstring(first, buffer + sizeof(buffer) / sizeof(buffer[0]));
}

} // namespace staywick
