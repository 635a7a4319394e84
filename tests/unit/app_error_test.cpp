#include "common/app_error.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace staywick {
namespace {

struct FullStopCase {
    const wchar_t* text;
    const wchar_t* shown;
};

class ErrorReportTextTest : public ::testing::TestWithParam<FullStopCase> {};

TEST_P(ErrorReportTextTest, AddsFullStopOnlyAfterCharactersAboveTheFullStop) {
    EXPECT_EQ(ErrorReportText(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ErrorReportTextTest,
    ::testing::Values(FullStopCase{.text = L"Unable to write to C:\\x",
                                   .shown = L"Unable to write to C:\\x."},
                      FullStopCase{.text = L"Done.", .shown = L"Done."},
                      FullStopCase{.text = L"Why!", .shown = L"Why!"},      // '!' is below '.'
                      FullStopCase{.text = L"Path /", .shown = L"Path /."}, // '/' is just above '.'
                      FullStopCase{.text = L"Cut -", .shown = L"Cut -"},    // '-' is just below '.'
                      FullStopCase{.text = L"In \"quotes\"", .shown = L"In \"quotes\""},
                      FullStopCase{.text = L"Code 5", .shown = L"Code 5."},
                      FullStopCase{.text = L"", .shown = L""}));

TEST(ExceptionText, AppErrorsKeepTheirWideTextOthersUseWhat) {
    EXPECT_EQ(ExceptionText(AppError(L"Not enough timers available")),
              L"Not enough timers available");
    EXPECT_EQ(ExceptionText(std::runtime_error("disk full")), L"disk full");
}

} // namespace
} // namespace staywick
