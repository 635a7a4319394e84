// The portable stand-in for the system's text rules. Upper case by Unicode's
// simple mapping for the scripts file names are most often written in: Latin
// (ASCII, Latin-1, Extended-A, Extended Additional), Greek and Cyrillic.
// Other characters compare by their code. The ANSI code page is taken as
// Latin-1 (a byte is the character of the same code).
#include "platform/text_rules.h"

#include <algorithm>

namespace staywick {

namespace {

// Within [first, last], the odd (or even) codes are the lower-case letters
// of the codes just below them.
bool PairedLower(char32_t c, char32_t first, char32_t last, bool lowerIsOdd) {
    return c >= first && c <= last && (c % 2 == 1) == lowerIsOdd;
}

char32_t Upper(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return c - 0x20;
    if (c == 0xFF)
        return 0x178; // y with diaeresis
    // Latin Extended-A; dotless i (0x131) and long s (0x17F) map outside it.
    if (c != 0x131 && (PairedLower(c, 0x100, 0x137, true) || PairedLower(c, 0x139, 0x148, false) ||
                       PairedLower(c, 0x14A, 0x177, true) || PairedLower(c, 0x179, 0x17E, false)))
        return c - 1;
    if (PairedLower(c, 0x1E00, 0x1E95, true) || PairedLower(c, 0x1EA0, 0x1EFF, true))
        return c - 1;
    // Greek: the letters and those with an accent. Final sigma keeps its
    // form, as in Windows' table (and Wine's copy of it).
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2)
        return c - 0x20;
    switch (c) {
    case 0x3AC:
        return 0x386; // alpha with tonos
    case 0x3AD:
    case 0x3AE:
    case 0x3AF:
        return c - 0x25; // epsilon, eta, iota with tonos
    case 0x3CC:
        return 0x38C; // omicron with tonos
    case 0x3CD:
    case 0x3CE:
        return c - 0x3F; // upsilon, omega with tonos
    default:
        break;
    }
    // Cyrillic.
    if (c >= 0x430 && c <= 0x44F)
        return c - 0x20;
    if (c >= 0x450 && c <= 0x45F)
        return c - 0x50;
    if (PairedLower(c, 0x460, 0x481, true) || PairedLower(c, 0x48A, 0x4BF, true) ||
        PairedLower(c, 0x4C1, 0x4CE, false) || PairedLower(c, 0x4D0, 0x52F, true))
        return c - 1;
    if (c == 0x4CF)
        return 0x4C0;
    return c;
}

} // namespace

int CompareIgnoringCase(std::wstring_view a, std::wstring_view b) noexcept {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char32_t x = Upper(static_cast<char32_t>(a[i]));
        const char32_t y = Upper(static_cast<char32_t>(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::wstring UpperCaseText(std::wstring_view text) {
    std::wstring upper(text);
    for (wchar_t& c : upper)
        c = static_cast<wchar_t>(Upper(static_cast<char32_t>(c)));
    return upper;
}

std::wstring AnsiCodePageText(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (char c : bytes)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return text;
}

} // namespace staywick
