#pragma once
// Small text helpers shared by the log, the settings path and the files.
#include <string>

namespace staywick {

// Every occurrence of `find` replaced by `replacement`, letter case ignored
// when searching (a to z folded; other characters compared exactly).
std::wstring ReplaceAllNoCase(const std::wstring& text, const std::wstring& find,
                              const std::wstring& replacement);

// UTF-16 (or UTF-32 where wchar_t is 32 bits) to UTF-8; an unpaired
// surrogate becomes U+FFFD.
std::string ToUtf8(const std::wstring& text);

} // namespace staywick
