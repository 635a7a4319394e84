#include "platform/process_watch.h"

#include "platform/text_rules.h"

namespace staywick {

bool SameFileName(const std::wstring& a, const std::wstring& b) noexcept {
    return CompareIgnoringCase(a, b) == 0;
}

bool FileNameLess(const std::wstring& a, const std::wstring& b) noexcept {
    return CompareIgnoringCase(a, b) < 0;
}

} // namespace staywick
