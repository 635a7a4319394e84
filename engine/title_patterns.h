#pragma once
// Window titles matched against the user's patterns: `*` stands for any text,
// `?` for one character, and letter case is ignored over all of Unicode by
// the system's own upper-case table (platform/text_rules.h), passed in so the
// rule stays a pure function.
#include <string>
#include <string_view>
#include <vector>

namespace staywick {

// Maps a text to one case, character for character (the same length).
using CaseFold = std::wstring (*)(std::wstring_view text);

// "*notepad*; *.pdf - Reader;;" -> "*notepad*", "*.pdf - Reader". Blanks
// around a pattern, empty entries, repeats (letter case ignored by `fold`)
// and patterns with control characters are dropped.
std::vector<std::wstring> ParseTitlePatterns(std::wstring_view text, CaseFold fold);
// Patterns joined by ";".
std::wstring TitlePatternsText(const std::vector<std::wstring>& patterns);

// `text` against `pattern`, both already folded: `*` any run of characters,
// `?` exactly one (a surrogate pair counts as one character).
bool WildcardMatches(std::wstring_view text, std::wstring_view pattern) noexcept;

// The user's patterns, folded once.
class TitleMatcher {
public:
    TitleMatcher(std::vector<std::wstring> patterns, CaseFold fold);

    bool Empty() const noexcept { return patterns_.empty(); }
    // The first pattern (list order) that some title matches, as the user
    // wrote it; empty when none does. Empty titles never match.
    std::wstring FirstMatch(const std::vector<std::wstring>& titles) const;

private:
    std::vector<std::wstring> patterns_;
    std::vector<std::wstring> folded_;
    CaseFold fold_;
};

} // namespace staywick
