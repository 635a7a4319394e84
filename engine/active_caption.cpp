#include "engine/active_caption.h"

namespace staywick {

namespace {

constexpr wchar_t kActive[] = L"&Staywick is active";
constexpr wchar_t kActiveFor[] = L"&Staywick is active (%1)";
constexpr wchar_t kActiveDisplaySleeps[] = L"&Staywick is active (display may sleep)";
constexpr wchar_t kActiveForDisplaySleeps[] = L"&Staywick is active (%1, display may sleep)";

} // namespace

std::wstring FilledPlaceholder(std::wstring sentence, const std::wstring& value) {
    const auto at = sentence.find(L"%1");
    if (at != std::wstring::npos)
        sentence.replace(at, 2, value);
    return sentence;
}

std::wstring ActiveCaption(const std::wstring& detail, bool displayMaySleep) {
    if (detail.empty())
        return displayMaySleep ? kActiveDisplaySleeps : kActive;
    return FilledPlaceholder(displayMaySleep ? kActiveForDisplaySleeps : kActiveFor, detail);
}

} // namespace staywick
