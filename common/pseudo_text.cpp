#include "common/pseudo_text.h"

#include <cwchar>
#include <cwctype>

namespace staywick {

namespace {

// An accented form of each ASCII letter from Latin-1 and Latin Extended-A
// (and the common "\u0192"), which every user interface font carries; the few
// letters with none there stay plain.
constexpr wchar_t kUpper[] = L"\u00C5B\u00C7\u00D0\u00C9F\u011C\u0124\u00CE\u0134"
                             L"\u0136\u013BM\u00D1\u00D6\u00DEQ\u0154\u0160\u0162"
                             L"\u00DBV\u0174X\u00DD\u017D";
constexpr wchar_t kLower[] = L"\u00E5b\u00E7\u00F0\u00E9\u0192\u011D\u0125\u00EE\u0135"
                             L"\u0137\u013Cm\u00F1\u00F6\u00FEq\u0155\u0161\u0163"
                             L"\u00FBv\u0175x\u00FD\u017E";

wchar_t Accented(wchar_t c) {
    if (c >= L'A' && c <= L'Z')
        return kUpper[c - L'A'];
    if (c >= L'a' && c <= L'z')
        return kLower[c - L'a'];
    return c;
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

bool OneOf(wchar_t c, const wchar_t* set) {
    return c != 0 && std::wcschr(set, c) != nullptr;
}

// The length of a printf form at `at` ("%-5.2f", "%ls"), 0 when none.
std::size_t PrintfLength(std::wstring_view text, std::size_t at) {
    std::size_t i = at + 1;
    while (i < text.size() && OneOf(text[i], L"-+ #0"))
        ++i;
    while (i < text.size() && (IsDigit(text[i]) || text[i] == L'*' || text[i] == L'.'))
        ++i;
    while (i < text.size() && OneOf(text[i], L"hlLI64jzt"))
        ++i;
    return i < text.size() && OneOf(text[i], L"diouxXeEfFgGaAcCsSp") ? i + 1 - at : 0;
}

// The length of the placeholder at `at` (which holds "%"), 0 when none starts
// there: %%, a printf form, or %1 to %99 with an optional !printf form!.
std::size_t PlaceholderLength(std::wstring_view text, std::size_t at) {
    std::size_t i = at + 1;
    if (i >= text.size())
        return 0;
    if (text[i] == L'%')
        return 2;
    if (const std::size_t n = PrintfLength(text, at); n > 0)
        return n;
    if (IsDigit(text[i]) && text[i] != L'0') {
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        if (i < text.size() && text[i] == L'!') {
            const std::size_t close = text.find(L'!', i + 1);
            if (close != std::wstring_view::npos)
                i = close + 1;
        }
        return i - at;
    }
    return 0;
}

} // namespace

std::wstring PseudoText(std::wstring_view text) {
    if (text.empty())
        return {};
    std::wstring out = L"[";
    std::size_t shown = 0; // characters a reader sees, which the padding follows
    for (std::size_t i = 0; i < text.size();) {
        const wchar_t c = text[i];
        if (c == L'&' && i + 1 < text.size()) {
            out += text.substr(i, 2); // "&&" or the access key, unchanged
            shown += 1;
            i += 2;
        } else if (const std::size_t n = c == L'%' ? PlaceholderLength(text, i) : 0; n > 0) {
            out += text.substr(i, n);
            shown += n;
            i += n;
        } else {
            out += Accented(c);
            if (!std::iswcntrl(c))
                ++shown;
            ++i;
        }
    }
    // 40% more, rounded up; the brackets count towards it.
    const std::size_t extra = (shown * 4 + 9) / 10;
    const std::size_t padding = extra > 2 ? extra - 2 : 0;
    out.append(padding, L'!');
    out += L']';
    return out;
}

} // namespace staywick
