// The system's text rules on Windows. CompareStringOrdinal upper-cases by the
// system's table, as NTFS compares file names; Wine upper-cases by Unicode's
// simple mapping, which differs from Windows' table only for a few rare
// letters.
#include "platform/text_rules.h"

#include <windows.h>

#include <climits>

namespace staywick {

int CompareIgnoringCase(std::wstring_view a, std::wstring_view b) noexcept {
    if (a.size() <= INT_MAX && b.size() <= INT_MAX) {
        switch (::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                       static_cast<int>(b.size()), TRUE)) {
        case CSTR_LESS_THAN:
            return -1;
        case CSTR_EQUAL:
            return 0;
        case CSTR_GREATER_THAN:
            return 1;
        default:
            break;
        }
    }
    // Refused (it never is for texts of a file name's length): by code.
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

std::wstring UpperCaseText(std::wstring_view text) {
    std::wstring upper(text);
    if (text.empty() || text.size() > INT_MAX)
        return upper;
    const int size = static_cast<int>(text.size());
    // Upper case is one character for one (no "SS" for "ß"), so the text
    // keeps its length; Wine maps by Unicode's simple mapping, as for
    // CompareStringOrdinal above.
    if (::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), size, upper.data(),
                        size, nullptr, nullptr, 0) != size)
        upper.assign(text); // refused: the text as it is
    return upper;
}

std::wstring AnsiCodePageText(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > INT_MAX)
        return {};
    const int size = static_cast<int>(bytes.size());
    const int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), n);
    return text;
}

} // namespace staywick
