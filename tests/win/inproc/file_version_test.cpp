// The file version text read from Staywick.exe's version resource.
#include "common/app_error.h"
#include "common/version_text.h"
#include "common/win32/file_version.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

namespace staywick::test {
namespace {

TEST(FileVersion, ReadsStaywickExeAndFailsWithTheSystemMessage) {
    EXPECT_EQ(GetFileVersionText(StaywickExePath()), L"1.1.0.0");
    EXPECT_EQ(FormatVersionText(GetFileVersionText(StaywickExePath())), L"1.1 (64-bit)");

    const std::wstring missing = GetFileVersionText(TestBinDir() + L"\\no-such-file.exe");
    EXPECT_EQ(missing.rfind(L"GetFileVersionInfo failed: (", 0), 0u) << missing;
    ASSERT_FALSE(missing.empty());
    EXPECT_NE(missing.back(), L'.');
    EXPECT_GT(missing.back(), L' ');
    EXPECT_EQ(FormatVersionText(missing), L"");
}

} // namespace
} // namespace staywick::test
