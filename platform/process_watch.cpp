#include "platform/process_watch.h"

#include <algorithm>

namespace staywick {

namespace {
wchar_t Folded(wchar_t c) noexcept {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}
} // namespace

bool SameFileName(const std::wstring& a, const std::wstring& b) noexcept {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return Folded(x) == Folded(y); });
}

bool FileNameLess(const std::wstring& a, const std::wstring& b) noexcept {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](wchar_t x, wchar_t y) { return Folded(x) < Folded(y); });
}

} // namespace staywick
