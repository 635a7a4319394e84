// "Until..." across a restart of the real Staywick.exe: the end's date goes
// into the settings file as Windows' local clock reads it, and an end that
// passed while the program was not running ends the session at start.
#include "win/common/process_helpers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

namespace staywick::test {
namespace {

constexpr LONGLONG kFileTimeDay = 864000000000; // 100 ns units

// HH:MM on the local date `days` days from today, as the settings file holds
// an end: "2026-01-05 17:00".
std::string LocalEndText(int days, int minuteOfDay) {
    SYSTEMTIME today{};
    ::GetLocalTime(&today);
    FILETIME at{};
    ::SystemTimeToFileTime(&today, &at); // plain date arithmetic, no zone
    ULARGE_INTEGER value{};
    value.LowPart = at.dwLowDateTime;
    value.HighPart = at.dwHighDateTime;
    value.QuadPart =
        static_cast<ULONGLONG>(static_cast<LONGLONG>(value.QuadPart) + days * kFileTimeDay);
    at = {value.LowPart, value.HighPart};
    SYSTEMTIME date{};
    ::FileTimeToSystemTime(&at, &date);
    char text[32];
    std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02d:%02d", date.wYear, date.wMonth,
                  date.wDay, minuteOfDay / 60, minuteOfDay % 60);
    return text;
}

class UntilRestartE2E : public PortableInstallTest {
protected:
    std::string Settings() { return ReadFileBytes(SettingsPath()); }
    bool SettingsHold(const std::string& line) {
        return Settings().find(line + "\r\n") != std::string::npos;
    }
    std::optional<DWORD> Run(const std::wstring& args) {
        return Process::Start(exe_, args).WaitExit(15000);
    }
};

TEST_F(UntilRestartE2E, AnEndThatPassedWhileNotRunningEndsTheSessionAtStart) {
    // On until 17:00 yesterday, and the program was not running then.
    WriteFileBytes(SettingsPath(),
                   "[General]\r\nActive=1\r\nAutoStopped=0\r\nActivateUntil=1020\r\n"
                   "ActivateUntilEnd=" +
                       LocalEndText(-1, 1020) + "\r\n");
    Process instance = Process::Start(exe_);
    ASSERT_NE(WaitForStartUp(instance.Id()), nullptr);
    EXPECT_TRUE(WaitUntil(5000, [&] { return SettingsHold("Active=0"); })) << Settings();
    EXPECT_TRUE(SettingsHold("AutoStopped=1")) << Settings();
    EXPECT_EQ(Run(L"/status"), 0u);
}

TEST_F(UntilRestartE2E, UntilSavesTheDateItEndsOn) {
    WriteFileBytes(SettingsPath(), "[General]\r\nActive=0\r\nAutoStopped=0\r\n");
    Process instance = Process::Start(exe_);
    ASSERT_NE(WaitForStartUp(instance.Id()), nullptr);
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    // Two minutes on: today, or tomorrow when that crosses midnight.
    const int target = (now.wHour * 60 + now.wMinute + 2) % 1440;
    const int days = target < now.wHour * 60 + now.wMinute ? 1 : 0;
    wchar_t args[32];
    ::wsprintfW(args, L"/until %02d:%02d", target / 60, target % 60);
    ASSERT_EQ(Run(args), 0u);
    EXPECT_TRUE(SettingsHold("ActivateUntilEnd=" + LocalEndText(days, target))) << Settings();
}

} // namespace
} // namespace staywick::test
