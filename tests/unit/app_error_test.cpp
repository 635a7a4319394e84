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
    ::testing::Values(FullStopCase{L"Unable to write to C:\\x", L"Unable to write to C:\\x."},
                      FullStopCase{L"Done.", L"Done."},
                      FullStopCase{L"Why!", L"Why!"},      // '!' is below '.'
                      FullStopCase{L"Path /", L"Path /."}, // '/' is just above '.'
                      FullStopCase{L"Cut -", L"Cut -"},    // '-' is just below '.'
                      FullStopCase{L"In \"quotes\"", L"In \"quotes\""},
                      FullStopCase{L"Code 5", L"Code 5."}, FullStopCase{L"", L""}));

TEST(ExceptionText, AppErrorsKeepTheirWideTextOthersUseWhat) {
    EXPECT_EQ(ExceptionText(AppError(L"Not enough timers available")),
              L"Not enough timers available");
    EXPECT_EQ(ExceptionText(std::runtime_error("disk full")), L"disk full");
}

} // namespace
} // namespace staywick
