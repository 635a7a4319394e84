#pragma once
// Small text helpers shared by the log, the settings path and the files.
#include <string>

namespace staywick {

// Letters A to Z in lower case, every other character as it is: the one fold
// for names that are plain ASCII by design (commands, INI sections and keys).
// File names are compared by the system's rules instead (platform/text_rules.h).
template <class Char> constexpr Char LowerAscii(Char c) noexcept {
    return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - Char('A') + Char('a')) : c;
}
std::wstring LowerAscii(std::wstring text);

// Every occurrence of `find` replaced by `replacement`, letter case ignored
// when searching (A to Z folded; other characters compared exactly).
std::wstring ReplaceAllNoCase(const std::wstring& text, const std::wstring& find,
                              const std::wstring& replacement);

// UTF-16 (or UTF-32 where wchar_t is 32 bits) to UTF-8; an unpaired
// surrogate becomes U+FFFD.
std::string ToUtf8(const std::wstring& text);

} // namespace staywick
