#include "common/temp_name.h"

#include "common/decimal_text.h"

namespace staywick {

std::wstring FormatDayFraction(std::uint32_t msOfDay, const std::wstring& decimalSeparator) {
    // Eight decimals of ms / 86400000 is ms * 1000 / 864, rounded half up,
    // in integers so the digits never depend on floating-point noise.
    const std::uint64_t scaled = (std::uint64_t{msOfDay} * 2000 + 864) / 1728;
    if (scaled >= 100000000)
        return L"1";
    if (scaled == 0)
        return {};
    std::wstring digits = DecimalText(scaled);
    digits.insert(0, 8 - digits.size(), L'0');
    digits.erase(digits.find_last_not_of(L'0') + 1);
    return decimalSeparator + digits;
}

std::wstring NormalizeTempExtension(const std::wstring& extension) {
    if (extension.empty() || extension.front() == L'.')
        return extension;
    const std::size_t first = extension.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return L".";
    const std::size_t last = extension.find_last_not_of(L' ');
    return L"." + extension.substr(first, last - first + 1);
}

std::wstring TempFileNameFor(std::uint32_t msOfDay, const std::wstring& decimalSeparator,
                             const std::wstring& extension) {
    const std::wstring fraction = FormatDayFraction(msOfDay, decimalSeparator);
    const std::wstring stamp = fraction.size() > 4 ? fraction.substr(4, 5) : std::wstring();
    return L"TMP" + stamp + NormalizeTempExtension(extension);
}

} // namespace staywick
