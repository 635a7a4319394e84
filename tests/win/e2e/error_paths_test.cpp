// The real Staywick.exe driven into its failure paths: a settings file that
// cannot be written at start-up, a log that cannot be written on any tick,
// and an end while the notification area refuses the icon. Start-up still completes (the icon with
// the true status, no tick while off), and never more than one error box is open while the program
// goes on answering. Judged from outside: the boxes of the process, the system's idle time, the
// notification area and what the program sends to the shell.
#include "win/common/idle_watch.h"
#include "win/common/process_helpers.h"
#include "win/common/settings_text.h"
#include "win/common/refused_file.h"
#include "win/common/tray_driver.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace staywick::test {
namespace {

// Off, an "Activate for" of 7 minutes (no such item, so start-up sets 0 and
// saves) and a limit of 0 minutes, at which every tick would press a key.
const std::string kOffUnknownDurationLimitZero =
    SettingsFileText{.sleepMax = "0", .activateFor = "7"}.Text();

std::vector<HWND> ReportBoxes(DWORD pid) {
    std::vector<HWND> visible;
    for (HWND box : ProcessWindows(pid, L"#32770", L"Staywick")) {
        if (::IsWindowVisible(box))
            visible.push_back(box);
    }
    return visible;
}

std::wstring BoxText(HWND box) {
    wchar_t buf[1024] = {};
    ::GetDlgItemTextW(box, 0xFFFF, buf, 1024);
    return buf;
}

bool DismissBox(HWND box) {
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    return WaitUntil(5000, [&] { return !::IsWindow(box); });
}

bool Answers(HWND wnd) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) != 0;
}

class ErrorPathsTest : public PortableInstallTest {
protected:
    void TearDown() override {
        PortableInstallTest::TearDown();
        refused_.reset(); // before the folder goes
    }

    // The glyph is drawn black on Wine's white taskbar only when the taskbar counts as light.
    ScopedPersonalizeValue lightTaskbar_{L"SystemUsesLightTheme", 1};
    std::optional<RefusedFile> refused_;
    Process program_;
};

TEST_F(ErrorPathsTest, RefusedStartUpWriteGivesOneBoxThenTheTrueStatusAndNoKeyPress) {
    ASSERT_FALSE(SeeTrayIcon().has_value()) << "the notification area must start empty";
    WriteFileBytes(SettingsPath(), kOffUnknownDurationLimitZero);
    refused_.emplace(SettingsPath());
    RecordProperty("refusal", refused_->How());
    ASSERT_TRUE(refused_->Refuses()) << refused_->How();

    program_ = Process::Start(exe_);
    const DWORD pid = program_.Id();
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil(10000, [&] {
        const auto boxes = ReportBoxes(pid);
        return !boxes.empty() && (box = boxes.front());
    })) << "no error box";
    EXPECT_EQ(BoxText(box), L"Unable to write to " + SettingsPath() + L".");
    std::size_t mostBoxes = 0;
    const auto countBoxes = [&] { mostBoxes = std::max(mostBoxes, ReportBoxes(pid).size()); };

    // Kept open past one period of the main timer (5 s): with the limit at 0
    // any tick would press a key, so this window shows that none comes.
    ASSERT_TRUE(WaitForSteadyIdle());
    const IdleSpan whileOpen = WatchIdle(6000, countBoxes);
    EXPECT_FALSE(whileOpen.fell) << "a key was pressed while the box was open";
    EXPECT_GE(whileOpen.grew, 5500u);
    ASSERT_TRUE(DismissBox(box));

    // Start-up went on: the glyph of "off" is in the notification area.
    const auto seen = WaitForTrayIcon(true, 5000);
    ASSERT_TRUE(seen.has_value()) << "no icon in the notification area";
    EXPECT_FALSE(seen->struck) << "the glyph of keep-awake off";

    // Past one more period with the box closed: no further box, and no key
    // pressed. (No tick while off is pinned on the virtual clock natively.)
    ASSERT_TRUE(WaitForSteadyIdle());
    const IdleSpan afterwards = WatchIdle(6000, countBoxes);
    EXPECT_EQ(mostBoxes, 1u) << "exactly one error box";
    EXPECT_TRUE(ReportBoxes(pid).empty());
    EXPECT_FALSE(afterwards.fell) << "a key was pressed";
    EXPECT_GE(afterwards.grew, 5500u);

    // The status caption, as the tip the program gives the shell: a stand-in
    // shell takes the icon's record again after a "TaskbarCreated" broadcast.
    {
        StandInShell shell;
        ASSERT_NE(shell.Window(), nullptr);
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0,
                              SMTO_ABORTIFHUNG, 3000, &result);
        ASSERT_TRUE(WaitUntil(3000, [&] { return shell.Requests().size() >= 2; }));
        const std::vector<DWORD> messages = shell.Messages();
        EXPECT_EQ(messages[messages.size() - 2], static_cast<DWORD>(NIM_ADD));
        EXPECT_EQ(messages.back(), static_cast<DWORD>(NIM_SETVERSION)) << "asked after the add";
        EXPECT_TRUE(HoldsText(shell.Requests().back(), L"&Staywick is disabled"));
    }
    EXPECT_TRUE(program_.Running());
    EXPECT_EQ(ReadFileBytes(SettingsPath()), kOffUnknownDurationLimitZero);
}

TEST_F(ErrorPathsTest, ALogThatCannotBeWrittenKeepsOneBoxAndTheProgramAnswers) {
    WriteFileBytes(SettingsPath(), kOnLimitZero);
    const std::wstring logPath = dir_.File(L"Staywick.log");
    ASSERT_TRUE(::CreateDirectoryW(logPath.c_str(), nullptr)) << "a folder at the log's path";

    program_ = Process::Start(exe_, L"/L");
    const DWORD pid = program_.Id();
    HWND main = WaitForMainWindow(10000);
    ASSERT_NE(main, nullptr);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil(10000, [&] {
        const auto boxes = ReportBoxes(pid);
        return !boxes.empty() && (box = boxes.front());
    })) << "no error box";
    EXPECT_NE(BoxText(box).find(logPath), std::wstring::npos) << BoxText(box);

    // Past one period of the ticks (5 s), each failing at its first log line
    // while the box stays open: never a second box. Many failing ticks under
    // one box are shown in-process (ErrorReport.WhileABoxIsOpen...).
    std::size_t mostBoxes = 0;
    const ULONGLONG until = ::GetTickCount64() + 6000;
    while (::GetTickCount64() < until) {
        mostBoxes = std::max(mostBoxes, ReportBoxes(pid).size());
        ::Sleep(100);
    }
    EXPECT_EQ(mostBoxes, 1u);
    EXPECT_EQ(ReportBoxes(pid).size(), 1u) << "exactly one error box after a tick";
    EXPECT_TRUE(Answers(main)) << "the program still answers messages";
    EXPECT_TRUE(program_.Running());

    // Closed, the latest error raised while it was open has a box of its own.
    ASSERT_TRUE(DismissBox(box));
    EXPECT_TRUE(WaitUntil(8000, [&] { return ReportBoxes(pid).size() == 1; }));
    EXPECT_TRUE(Answers(main));
}

// taskkill (without /F) during the sign-in retries of a refused icon add:
// the program ends through its exit path, with no box about an icon the
// shell never took.
TEST_F(ErrorPathsTest, EndedByTaskkillWhileTheIconIsRefusedItShowsNoBox) {
    WriteFileBytes(SettingsPath(), SettingsFileText{}.Text());
    // The notification area refuses the icon, as at sign-in before it is ready.
    StandInShell refusing(true);
    ASSERT_NE(refusing.Window(), nullptr);
    program_ = Process::Start(exe_);
    const DWORD pid = program_.Id();
    ASSERT_NE(WaitForMainWindow(10000), nullptr);
    ASSERT_TRUE(WaitUntil(10000, [&] {
        const auto messages = refusing.Messages();
        return std::count(messages.begin(), messages.end(), DWORD{NIM_ADD}) >= 1;
    })) << "no icon add reached the shell";

    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    Process taskkill =
        Process::Start(std::wstring(system) + L"\\taskkill.exe", L"/PID " + std::to_wstring(pid));
    EXPECT_EQ(taskkill.WaitExit(10000).value_or(1234), 0u) << "taskkill found the program";

    std::size_t mostBoxes = 0;
    std::optional<DWORD> code;
    WaitUntil(10000, [&] {
        mostBoxes = std::max(mostBoxes, ReportBoxes(pid).size());
        return (code = program_.WaitExit(0)).has_value();
    });
    EXPECT_EQ(mostBoxes, 0u) << "an error box at the exit";
    ASSERT_TRUE(code.has_value()) << "the program did not end";
    EXPECT_EQ(*code, 0u);
    const auto messages = refusing.Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), static_cast<DWORD>(NIM_DELETE)) << "the delete still went out";
}

} // namespace
} // namespace staywick::test
