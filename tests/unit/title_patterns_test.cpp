// The window-title patterns: `*` and `?`, letter case ignored beyond A to Z
// (the portable stand-in of the system's upper-case table folds Latin, Greek
// and Cyrillic), and the `;` list as the settings and the dialog read it.
#include "engine/title_patterns.h"
#include "platform/text_rules.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace staywick {
namespace {

using Texts = std::vector<std::wstring>;

struct MatchCase {
    const char* name;
    const wchar_t* title;
    const wchar_t* pattern;
    bool matches;
};
void PrintTo(const MatchCase& c, std::ostream* os) {
    *os << c.name;
}

class TitlePattern : public testing::TestWithParam<MatchCase> {};

TEST_P(TitlePattern, Matches) {
    const auto& p = GetParam();
    const TitleMatcher matcher({p.pattern}, &UpperCaseText);
    EXPECT_EQ(matcher.FirstMatch({p.title}), p.matches ? p.pattern : L"");
}

INSTANTIATE_TEST_SUITE_P(
    Table, TitlePattern,
    testing::Values(
        MatchCase{.name = "Exact",
                  .title = L"Untitled - Notepad",
                  .pattern = L"Untitled - Notepad",
                  .matches = true},
        MatchCase{.name = "AsciiCase",
                  .title = L"Untitled - Notepad",
                  .pattern = L"untitled - NOTEPAD",
                  .matches = true},
        MatchCase{.name = "NoStarIsWhole",
                  .title = L"Untitled - Notepad",
                  .pattern = L"Notepad",
                  .matches = false},
        MatchCase{.name = "StarsAround",
                  .title = L"Untitled - Notepad",
                  .pattern = L"*notepad*",
                  .matches = true},
        MatchCase{.name = "StarAtEnd",
                  .title = L"Untitled - Notepad",
                  .pattern = L"untitled*",
                  .matches = true},
        MatchCase{.name = "StarAtStartMustEndThere",
                  .title = L"Notepad - Help",
                  .pattern = L"*notepad",
                  .matches = false},
        MatchCase{.name = "StarMatchesNothing",
                  .title = L"Notepad",
                  .pattern = L"*Notepad*",
                  .matches = true},
        MatchCase{.name = "StarGoesBack",
                  .title = L"a.pdf.pdf - Reader",
                  .pattern = L"*.pdf - *",
                  .matches = true},
        MatchCase{.name = "StarGoesBackTwice",
                  .title = L"abcabcabd",
                  .pattern = L"*abd",
                  .matches = true},
        MatchCase{.name = "TwoStars",
                  .title = L"Report 2026 - Draft - Writer",
                  .pattern = L"report*draft*",
                  .matches = true},
        MatchCase{.name = "StarsInWrongOrder",
                  .title = L"Draft report",
                  .pattern = L"*report*draft*",
                  .matches = false},
        MatchCase{.name = "QuestionOneCharacter",
                  .title = L"Zoom Meeting",
                  .pattern = L"Zoo? Meeting",
                  .matches = true},
        MatchCase{.name = "QuestionNeverNone",
                  .title = L"Zom Meeting",
                  .pattern = L"Zo?m Meeting",
                  .matches = false},
        MatchCase{
            .name = "QuestionNotTwo", .title = L"Zoooom", .pattern = L"Zo?m", .matches = false},
        MatchCase{.name = "QuestionTakesSurrogatePair",
                  .title = L"\U0001F3AC Film",
                  .pattern = L"? Film",
                  .matches = true},
        MatchCase{.name = "GreekCase",
                  .title = L"\u03A9MEGA \u03A3\u03A4\u039F\u03A5\u0394\u0399\u039F",
                  .pattern = L"*\u03C9mega \u03C3\u03C4\u03BF\u03C5\u03B4\u03B9\u03BF",
                  .matches = true},
        MatchCase{.name = "PolishCase",
                  .title = L"KSI\u0118GOWO\u015A\u0106 - Faktury",
                  .pattern = L"ksi\u0119gowo\u015B\u0107*",
                  .matches = true},
        MatchCase{.name = "CyrillicCase",
                  .title = L"\u0412\u0418\u0414\u0415\u041E",
                  .pattern = L"\u0432\u0438\u0434\u0435\u043E",
                  .matches = true},
        MatchCase{.name = "OtherLetterNoMatch",
                  .title = L"\u0412\u0418\u0414\u0415\u041E",
                  .pattern = L"\u0432\u0438\u0434\u0435\u0430",
                  .matches = false},
        MatchCase{.name = "StarAlone", .title = L"Anything", .pattern = L"*", .matches = true},
        MatchCase{
            .name = "EmptyTitleNeverMatches", .title = L"", .pattern = L"*", .matches = false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TitlePatternWildcard, EmptyPatternMatchesOnlyEmptyText) {
    EXPECT_TRUE(WildcardMatches(L"", L""));
    EXPECT_FALSE(WildcardMatches(L"a", L""));
    EXPECT_TRUE(WildcardMatches(L"", L"**"));
    EXPECT_FALSE(WildcardMatches(L"", L"?"));
}

TEST(TitleMatcherList, FirstPatternInListOrderAnyTitle) {
    const TitleMatcher matcher({L"*.pdf - Reader", L"*notepad*", L"Zoom*"}, &UpperCaseText);
    EXPECT_EQ(matcher.FirstMatch({L"Zoom Meeting", L"Untitled - Notepad"}), L"*notepad*");
    EXPECT_EQ(matcher.FirstMatch({L"Zoom"}), L"Zoom*");
    EXPECT_EQ(matcher.FirstMatch({L"Mail", L""}), L"");
    EXPECT_EQ(matcher.FirstMatch({}), L"");
    EXPECT_TRUE(TitleMatcher({}, &UpperCaseText).Empty());
    EXPECT_EQ(TitleMatcher({}, &UpperCaseText).FirstMatch({L"x"}), L"");
}

TEST(TitlePatternList, SplitTrimmedWithoutEmptiesRepeatsOrControls) {
    EXPECT_EQ(ParseTitlePatterns(L" *notepad* ;; *.PDF - Reader;  ;", &UpperCaseText),
              (Texts{L"*notepad*", L"*.PDF - Reader"}));
    EXPECT_EQ(ParseTitlePatterns(L"*Notepad*;*NOTEPAD*;*\u03C9*;*\u03A9*", &UpperCaseText),
              (Texts{L"*Notepad*", L"*\u03C9*"}));
    EXPECT_EQ(ParseTitlePatterns(L"a\tb;c", &UpperCaseText), (Texts{L"c"}));
    EXPECT_TRUE(ParseTitlePatterns(L"", &UpperCaseText).empty());
    EXPECT_TRUE(ParseTitlePatterns(L" ; ;", &UpperCaseText).empty());
    EXPECT_EQ(TitlePatternsText({L"*notepad*", L"Zoom*"}), L"*notepad*;Zoom*");
    EXPECT_EQ(ParseTitlePatterns(TitlePatternsText({L"*a b*", L"?c"}), &UpperCaseText),
              (Texts{L"*a b*", L"?c"}));
}

} // namespace
} // namespace staywick
