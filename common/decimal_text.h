#pragma once
// Decimal digits of a whole number, for the program's texts. std::to_wstring
// goes through the C library's wide printf; in a MinGW build that brings a
// whole printf engine, floating point included (about 25 KB), into the exe.
#include <string>
#include <type_traits>

namespace staywick {

// The digits of magnitude, after a minus sign when negative.
std::wstring DecimalDigits(unsigned long long magnitude, bool negative);

template <typename Int> std::wstring DecimalText(Int value) {
    static_assert(std::is_integral_v<Int>, "whole numbers only");
    if constexpr (std::is_signed_v<Int>) {
        if (value < 0) // negated in unsigned arithmetic, so the lowest value works too
            return DecimalDigits(0ULL - static_cast<unsigned long long>(value), true);
    }
    return DecimalDigits(static_cast<unsigned long long>(value), false);
}

} // namespace staywick
