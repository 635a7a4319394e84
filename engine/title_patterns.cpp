#include "engine/title_patterns.h"

#include <algorithm>

namespace staywick {

namespace {

bool IsHighSurrogate(wchar_t c) noexcept {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(wchar_t c) noexcept {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The length of the character at `at`: 2 for a surrogate pair.
std::size_t CharLength(std::wstring_view text, std::size_t at) noexcept {
    return at + 1 < text.size() && IsHighSurrogate(text[at]) && IsLowSurrogate(text[at + 1]) ? 2
                                                                                             : 1;
}

std::wstring_view Trimmed(std::wstring_view text) noexcept {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

} // namespace

std::vector<std::wstring> ParseTitlePatterns(std::wstring_view text, CaseFold fold) {
    std::vector<std::wstring> patterns;
    std::vector<std::wstring> folded;
    while (!text.empty()) {
        const auto end = text.find(L';');
        const std::wstring_view pattern = Trimmed(text.substr(0, end));
        text = end == std::wstring_view::npos ? std::wstring_view{} : text.substr(end + 1);
        if (pattern.empty() ||
            std::any_of(pattern.begin(), pattern.end(), [](wchar_t c) { return c < 32; }))
            continue;
        std::wstring key = fold(pattern);
        if (std::find(folded.begin(), folded.end(), key) != folded.end())
            continue;
        folded.push_back(std::move(key));
        patterns.emplace_back(pattern);
    }
    return patterns;
}

std::wstring TitlePatternsText(const std::vector<std::wstring>& patterns) {
    std::wstring text;
    for (const auto& pattern : patterns) {
        if (!text.empty())
            text += L';';
        text += pattern;
    }
    return text;
}

// Greedy, going back only to the last `*`: every earlier `*` has already
// matched as little as it can, so one backtrack point suffices.
bool WildcardMatches(std::wstring_view text, std::wstring_view pattern) noexcept {
    std::size_t t = 0;
    std::size_t p = 0;
    std::size_t starAt = std::wstring_view::npos;
    std::size_t textAtStar = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            starAt = p++;
            textAtStar = t;
        } else if (p < pattern.size() && pattern[p] == L'?') {
            t += CharLength(text, t);
            ++p;
        } else if (p < pattern.size() && pattern[p] == text[t]) {
            ++t;
            ++p;
        } else if (starAt != std::wstring_view::npos) {
            // The last `*` takes one more character.
            textAtStar += CharLength(text, textAtStar);
            t = textAtStar;
            p = starAt + 1;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*')
        ++p;
    return p == pattern.size();
}

TitleMatcher::TitleMatcher(std::vector<std::wstring> patterns, CaseFold fold)
    : patterns_(std::move(patterns)), fold_(fold) {
    for (const auto& pattern : patterns_)
        folded_.push_back(fold_(pattern));
}

std::wstring TitleMatcher::FirstMatch(const std::vector<std::wstring>& titles) const {
    if (patterns_.empty())
        return {};
    std::vector<std::wstring> folded;
    folded.reserve(titles.size());
    for (const auto& title : titles) {
        if (!title.empty())
            folded.push_back(fold_(title));
    }
    for (std::size_t i = 0; i < folded_.size(); ++i) {
        for (const auto& title : folded) {
            if (WildcardMatches(title, folded_[i]))
                return patterns_[i];
        }
    }
    return {};
}

} // namespace staywick
