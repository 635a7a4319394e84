#include "common/integer_text.h"

namespace staywick {

namespace {

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

// Length of a hexadecimal prefix at the start of text, 0 when there is none.
std::size_t HexPrefixLength(std::wstring_view text) {
    if (text.starts_with(L"0x") || text.starts_with(L"0X"))
        return 2;
    if (text.starts_with(L'$') || text.starts_with(L'x') || text.starts_with(L'X'))
        return 1;
    return 0;
}

std::optional<std::uint32_t> ParseHex(std::wstring_view digits) {
    if (digits.empty())
        return std::nullopt;
    std::uint32_t value = 0;
    int significant = 0;
    for (wchar_t c : digits) {
        const int d = HexDigit(c);
        if (d < 0)
            return std::nullopt;
        if (significant > 0 || d != 0)
            ++significant;
        if (significant > 8)
            return std::nullopt;
        value = (value << 4) | static_cast<std::uint32_t>(d);
    }
    return value;
}

// Decimal digits only, up to `limit`.
std::optional<std::uint32_t> ParseDecimal(std::wstring_view digits, std::uint32_t limit) {
    if (digits.empty())
        return std::nullopt;
    std::uint32_t value = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        const auto d = static_cast<std::uint32_t>(c - L'0');
        if (value > (limit - d) / 10)
            return std::nullopt;
        value = value * 10 + d;
    }
    return value;
}

} // namespace

std::optional<std::uint32_t> ParseDigits(std::wstring_view text, std::size_t maxDigits) {
    if (text.size() > maxDigits)
        return std::nullopt;
    return ParseDecimal(text, 4294967295u);
}

std::optional<std::int32_t> ParseInteger(std::wstring_view text) {
    while (text.starts_with(L' '))
        text.remove_prefix(1);
    bool negative = false;
    if (text.starts_with(L'+') || text.starts_with(L'-')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    std::optional<std::uint32_t> magnitude;
    if (const std::size_t prefix = HexPrefixLength(text)) {
        magnitude = ParseHex(text.substr(prefix));
    } else {
        // Up to 2147483648, which only a negative number may reach.
        magnitude = ParseDecimal(text, negative ? 2147483648u : 2147483647u);
    }
    if (!magnitude)
        return std::nullopt;
    // Negation in unsigned arithmetic: the bit pattern wraps as a 32-bit
    // integer would, so "-$80000000" and "-2147483648" both give the minimum.
    const std::uint32_t bits = negative ? 0u - *magnitude : *magnitude;
    return static_cast<std::int32_t>(bits);
}

} // namespace staywick
