// "/D" and "/L" with the real Staywick.exe: the activity log's exact lines
// and encoding, the debug window, and start-up's resumption rule as the
// settings file and the log show it.
#include "win/common/process_helpers.h"
#include "win/common/settings_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace staywick::test {
namespace {

std::vector<std::string> SplitCrLf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0, pos;
    while ((pos = bytes.find("\r\n", start)) != std::string::npos) {
        lines.push_back(bytes.substr(start, pos - start));
        start = pos + 2;
    }
    if (start < bytes.size())
        lines.push_back(bytes.substr(start)); // an unterminated rest
    return lines;
}

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.rfind(prefix, 0) == 0;
}

bool AllDigits(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

std::string Settings(int active, int sleepMax, int autoStopped) {
    return SettingsFileText{.active = std::to_string(active),
                            .sleepMax = std::to_string(sleepMax),
                            .autoStopped = std::to_string(autoStopped)}
        .Text();
}

class DiagnosticsTest : public PortableInstallTest {
protected:
    std::wstring LogPath() const { return dir_.File(L"Staywick.log"); }
    std::vector<std::string> LogLines() const { return SplitCrLf(ReadFileBytes(LogPath())); }
};

// Every line after `from` is a run's header or one of a tick's known shapes,
// in order; each tick's limit line is `limitLines` of its run (the first run's
// header ends before `from`).
void ExpectWellFormedTicks(const std::vector<std::string>& lines, std::size_t from,
                           const std::vector<std::string>& limitLines, bool& sawReAim,
                           bool& sawWake) {
    std::size_t i = from;
    std::size_t run = 0;
    while (i < lines.size()) {
        if (lines[i] == "*******************************" + std::string(" ")) {
            ASSERT_LT(i + 2, lines.size());
            ASSERT_TRUE(StartsWith(lines[i + 2], "MaxSleep: ")) << lines[i + 2];
            ++run;
            i += 3; // a later run's header
            continue;
        }
        ASSERT_LT(run, limitLines.size()) << "line " << i;
        ASSERT_EQ(lines[i], "Im in the timer") << "line " << i;
        ASSERT_LT(i + 2, lines.size());
        ASSERT_TRUE(StartsWith(lines[i + 1], "  GetIdleTime: ") &&
                    AllDigits(lines[i + 1].substr(15)))
            << lines[i + 1];
        ASSERT_EQ(lines[i + 2], limitLines[run]);
        i += 3;
        ASSERT_LT(i, lines.size());
        if (lines[i] == "Forced system wake up") {
            sawWake = true;
            i += 1;
            continue;
        }
        ASSERT_LT(i + 2, lines.size());
        ASSERT_TRUE(StartsWith(lines[i], "IdelTime: ") && AllDigits(lines[i].substr(10)))
            << lines[i];
        ASSERT_TRUE(StartsWith(lines[i + 1], "  aNewInterval: ")) << lines[i + 1];
        ASSERT_TRUE(StartsWith(lines[i + 2], "  timer interval at: ") &&
                    AllDigits(lines[i + 2].substr(21)))
            << lines[i + 2];
        const long long b = std::stoll(lines[i + 1].substr(16));
        const long long interval = std::stoll(lines[i + 2].substr(21));
        EXPECT_EQ(interval, b > 0 ? b : 2000) << "the interval in force follows b";
        sawReAim = true;
        i += 3;
    }
}

bool Holds(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

TEST_F(DiagnosticsTest, LogGetsHeaderAndEveryTickInExactFormAcrossTwoRuns) {
    // A limit of 0 minutes: the start-up tick already forces a wake.
    WriteFileBytes(SettingsPath(), Settings(1, 0, 0));
    {
        Process p = Process::Start(exe_, L"/L");
        ASSERT_NE(WaitForMainWindow(10000), nullptr);
        ASSERT_TRUE(WaitUntil(5000, [&] { return LogLines().size() >= 3; }));
        const auto head = LogLines();
        EXPECT_EQ(head[0], "******************************* ");
        EXPECT_EQ(head[1], "Active: True");
        EXPECT_EQ(head[2], "MaxSleep: 0");
        EXPECT_TRUE(WaitUntil(10000, [&] {
            return Holds(ReadFileBytes(LogPath()), "Forced system wake up\r\n");
        })) << ReadFileBytes(LogPath());
        CloseRunningStaywick();
    }
    const std::string first = ReadFileBytes(LogPath());
    EXPECT_NE(first.substr(0, 3), "\xEF\xBB\xBF") << "no byte-order mark";
    EXPECT_EQ(first.substr(first.size() - 2), "\r\n");
    EXPECT_EQ(first.find('\n'), first.find("\r\n") + 1) << "every line ends in CR LF";

    // A second run with a limit of 1 minute appends a new header below the
    // earlier lines. The first run's wake has just reset the idle time, so
    // its start-up tick re-aims the timer.
    WriteFileBytes(SettingsPath(), Settings(1, 1, 0));
    Process again = Process::Start(exe_, L"/l");
    ASSERT_NE(WaitForMainWindow(10000), nullptr);
    ASSERT_TRUE(WaitUntil(10000, [&] {
        return Holds(ReadFileBytes(LogPath()).substr(first.size()), "  timer interval at: ");
    })) << ReadFileBytes(LogPath());
    CloseRunningStaywick();
    const std::string both = ReadFileBytes(LogPath());
    EXPECT_EQ(both.substr(0, first.size()), first);
    EXPECT_EQ(both.substr(first.size(), 34), "******************************* \r\n");
    const auto lines = SplitCrLf(both);
    const std::size_t firstLines = SplitCrLf(first).size();
    ASSERT_GE(lines.size(), firstLines + 3);
    EXPECT_EQ(lines[firstLines + 1], "Active: True");
    EXPECT_EQ(lines[firstLines + 2], "MaxSleep: 1");
    bool reAim = false, wake = false;
    // The limits of 0 and 1 minute, in milliseconds.
    ExpectWellFormedTicks(lines, 3, {"  >= : 0", "  >= : 60000"}, reAim, wake);
    EXPECT_TRUE(reAim);
    EXPECT_TRUE(wake);
}

TEST_F(DiagnosticsTest, DebugFirstGivesTheWindowAndNoLog) {
    WriteFileBytes(SettingsPath(), Settings(1, 3, 0));
    Process p = Process::Start(exe_, L"/D /L");
    ASSERT_NE(WaitForMainWindow(10000), nullptr);
    const HWND debug = WaitForProcessWindow(p.Id(), L"MyDebugWnd", L"DebugWnd", 8000);
    ASSERT_NE(debug, nullptr);
    // The window is found as soon as it exists; its edit control comes with
    // its creation message.
    const HWND edit = WaitForChild(debug, 1234, 5000);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(ProcessHasModule(p.Id(), L"comctl32.dll")) << "the themed edit control's DLL";
    RECT rc;
    ::GetWindowRect(debug, &rc);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right - rc.left, 450);
    EXPECT_EQ(rc.bottom - rc.top, 500);
    auto text = [&] { return WindowText(edit); };
    auto idleLines = [&] {
        const std::wstring t = text();
        std::size_t n = 0, pos = 0;
        while ((pos = t.find(L"Windows has been idle for ", pos)) != std::wstring::npos)
            ++n, ++pos;
        return n;
    };
    // The first tick's line comes at once, then an idle line every 5 s.
    EXPECT_TRUE(WaitUntil(3000, [&] {
        return text().find(L"timer interval at: ") == 0 ||
               text().find(L"Forced system wake up") == 0;
    })) << "the start-up tick writes its decision first";
    ASSERT_TRUE(SyncWithWindow(debug)) << "the line's handler has finished";
    EXPECT_TRUE(::GetWindowLongW(debug, GWL_EXSTYLE) & WS_EX_TOPMOST) << "topmost after a line";
    // The debug timer's line comes within its period of 5 s (the period
    // itself: TickLog.TheDebugTimerTicksEveryFiveSeconds).
    ASSERT_TRUE(WaitUntil(7000, [&] { return idleLines() >= 1; }));
    EXPECT_NE(text().find(L" milliseconds.\r\n"), std::wstring::npos);
    EXPECT_FALSE(FileExists(LogPath()));
}

TEST_F(DiagnosticsTest, AutoStoppedStartResumesAndSavesOnlyThat) {
    WriteFileBytes(SettingsPath(), Settings(0, 3, 1));
    Process p = Process::Start(exe_, L"/L");
    ASSERT_NE(WaitForMainWindow(10000), nullptr);
    // The values are written one by one: wait for the whole file.
    EXPECT_TRUE(
        WaitUntil(5000, [&] { return ReadFileBytes(SettingsPath()) == Settings(1, 3, 0); }));
    EXPECT_EQ(ReadFileBytes(SettingsPath()), Settings(1, 3, 0));
    ASSERT_TRUE(WaitUntil(5000, [&] { return LogLines().size() >= 4; }));
    const auto lines = LogLines();
    EXPECT_EQ(lines[1], "Active: False") << "the header shows Active as loaded";
    EXPECT_EQ(lines[3], "Im in the timer") << "an active start runs one tick at once";

    // Closing writes nothing more to the settings file.
    const std::string saved = ReadFileBytes(SettingsPath());
    ::PostMessageW(WaitForMainWindow(1000), WM_CLOSE, 0, 0);
    const auto code = p.WaitExit(5000);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    EXPECT_EQ(ReadFileBytes(SettingsPath()), saved);
}

TEST_F(DiagnosticsTest, OffAtStartRunsNoTick) {
    WriteFileBytes(SettingsPath(), Settings(0, 1, 0));
    Process p = Process::Start(exe_, L"/L");
    ASSERT_NE(WaitForMainWindow(10000), nullptr);
    const ULONGLONG created = ::GetTickCount64();
    ASSERT_TRUE(WaitUntil(5000, [&] { return LogLines().size() >= 3; }));
    // Nothing announces a tick that does not come: watch past the main
    // timer's first 5 s period, counted from the window's creation.
    const ULONGLONG watched = ::GetTickCount64() - created;
    EXPECT_FALSE(WaitUntil(watched < 6000 ? static_cast<DWORD>(6000 - watched) : 0, [&] {
        return LogLines().size() > 3;
    })) << ReadFileBytes(LogPath());
    EXPECT_EQ(LogLines().size(), 3u);
    EXPECT_EQ(ReadFileBytes(SettingsPath()), Settings(0, 1, 0));
}

TEST_F(DiagnosticsTest, SecondStartWithSwitchChangesNothingInTheRunningOne) {
    // Off, with a limit of 0 minutes: a tick, when one runs, forces a wake.
    WriteFileBytes(SettingsPath(), Settings(0, 0, 0));
    Process p = Process::Start(exe_);
    const HWND main = WaitForStartUp(p.Id());
    ASSERT_NE(main, nullptr);
    Process second = Process::Start(exe_, L"/L");
    EXPECT_EQ(second.WaitExit(3000).value_or(1234), 0u);
    Process third = Process::Start(exe_, L"/D");
    EXPECT_EQ(third.WaitExit(3000).value_or(1234), 0u);

    // A screen-saver command makes the running one tick at once: a switch it
    // had taken over would now write a log line or open the debug window.
    // The tick's wake restarts the system's idle time, which shows it ran;
    // the sync then waits for the rest of the tick.
    LASTINPUTINFO before{sizeof(before), 0};
    ::GetLastInputInfo(&before);
    ::PostMessageW(main, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    EXPECT_TRUE(WaitUntil(5000, [&] {
        LASTINPUTINFO now{sizeof(now), 0};
        return ::GetLastInputInfo(&now) && now.dwTime != before.dwTime;
    })) << "no tick ran";
    ASSERT_TRUE(SyncWithWindow(main));
    EXPECT_FALSE(FileExists(LogPath()));
    EXPECT_EQ(::FindWindowW(L"MyDebugWnd", nullptr), nullptr);
    EXPECT_TRUE(p.Running());
}

TEST(DiagnosticsErrors, ALogThatCannotBeCreatedIsReportedAndTheProgramGoesOn) {
    CloseRunningStaywick();
    // A folder whose name holds ".Settings": the log path points into
    // "...\inst.log\", which does not exist.
    TempDir root;
    const std::wstring folder = root.File(L"inst.Settings");
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring exe = folder + L"\\Staywick.exe";
    ::CopyFileW(StaywickExePath().c_str(), exe.c_str(), FALSE);
    WriteFileBytes(folder + L"\\Staywick.Settings", Settings(1, 3, 0));

    Process p = Process::Start(exe, L"/L");
    HWND main = WaitForMainWindow(10000);
    ASSERT_NE(main, nullptr);
    const auto box = WaitForMessageBox(L"Staywick", 8000);
    ASSERT_TRUE(box.has_value());
    const std::wstring expectedStart =
        L"Cannot create file \"" + root.File(L"inst.log") + L"\\Staywick.log\". ";
    EXPECT_EQ(box->text.substr(0, expectedStart.size()), expectedStart) << box->text;
    EXPECT_EQ(box->text.back(), L'.');
    // Each later tick reports its failing first line the same way.
    ::PostMessageW(box->box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(SyncWithWindow(main, 2000)) << "the main window still answers";
    EXPECT_TRUE(p.Running());
    CloseRunningStaywick();
}

} // namespace
} // namespace staywick::test
