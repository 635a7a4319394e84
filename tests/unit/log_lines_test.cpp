// The activity log's texts and its path beside the settings file.
#include "diag/log_lines.h"

#include <gtest/gtest.h>

#include <string>

namespace staywick {
namespace {

TEST(LogFileName, AFolderNamedLikeTheSettingsIsReplacedToo) {
    EXPECT_EQ(
        LogFileNameFor(L"C:\\Users\\u\\AppData\\Roaming\\Tessaro\\Staywick\\Staywick.Settings"),
        L"C:\\Users\\u\\AppData\\Roaming\\Tessaro\\Staywick\\Staywick.log");
    // The folder part changes as well, so the log then points into a folder
    // that does not exist and its first line fails.
    EXPECT_EQ(LogFileNameFor(L"D:\\Old.SETTINGS\\Staywick.settings"), L"D:\\Old.log\\Staywick.log");
}

TEST(LogLines, HeaderAndIdleLineTexts) {
    EXPECT_EQ(LogHeaderStars(), L"******************************* ");
    EXPECT_EQ(LogHeaderStars().size(), 32u);
    EXPECT_EQ(LogHeaderActive(true), L"Active: True");
    EXPECT_EQ(LogHeaderActive(false), L"Active: False");
    EXPECT_EQ(LogHeaderMaxSleep(3), L"MaxSleep: 3");
    EXPECT_EQ(LogHeaderMaxSleep(-4), L"MaxSleep: -4");
    EXPECT_EQ(FormatIdleTime(1234), L"Windows has been idle for 1234 milliseconds.");
    EXPECT_EQ(FormatIdleTime(0xFFFFFFFFu), L"Windows has been idle for 4294967295 milliseconds.");
}

} // namespace
} // namespace staywick
