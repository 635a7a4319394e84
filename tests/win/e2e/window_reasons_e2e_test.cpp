// Keep-awake while a program is in front and while a window title matches,
// with the real Staywick.exe: off by hand, an idle limit of 0 (a forced wake
// every 5 s while on), and WhileForeground=notepad.exe or
// WhileWindowTitle=*notepad*. Wine's notepad and winemine take turns in
// front as a user would switch; the presses are judged by the session's idle
// time and the activity log, the tip by a stand-in shell.
#include "win/common/idle_watch.h"
#include "win/common/process_helpers.h"
#include "win/common/settings_text.h"
#include "win/common/tray_driver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace staywick::test {
namespace {

constexpr wchar_t kDisabled[] = L"&Staywick is disabled";

class WindowReasonsE2eTest : public PortableInstallTest {
protected:
    // Staywick started with `more` in its settings, its tray requests heard.
    void StartWith(const std::string& more) {
        WriteFileBytes(SettingsPath(), SettingsFileText{.sleepMax = "0", .more = more}.Text());
        staywick_ = Process::Start(exe_, L"/L");
        ASSERT_NE(WaitForStartUp(staywick_.Id()), nullptr);
        shell_ = std::make_unique<StandInShell>();
        ASSERT_NE(shell_->Window(), nullptr);
    }
    std::size_t ForcedWakes() const { return ForcedWakesLogged(dir_.File(L"Staywick.log")); }
    bool LastTipIs(const std::wstring& tip) const {
        const auto requests = shell_->Requests();
        return !requests.empty() && HoldsText(requests.back(), tip);
    }
    // No key pressed over a settled span longer than one forced-wake period.
    void ExpectNoPresses(const char* why) const {
        ASSERT_TRUE(WaitUntil(7000, [] { return SessionIdleMs() >= 1000; }));
        const std::size_t wakes = ForcedWakes();
        EXPECT_FALSE(WatchIdle(6000).fell) << "a key was pressed " << why;
        EXPECT_EQ(ForcedWakes(), wakes) << why;
    }
    // Presses begin within 10 s, the tip saying why.
    void ExpectPresses(const std::wstring& tip) const {
        const std::size_t wakes = ForcedWakes();
        ASSERT_TRUE(WaitUntil(10000, [&] { return ForcedWakes() > wakes; }))
            << "no forced wake within 10 s";
        EXPECT_TRUE(WaitUntil(2000, [&] { return LastTipIs(tip); }));
        // The wake brings Staywick's own window forward: that ends nothing.
        EXPECT_TRUE(WaitUntil(7000, [&] { return ForcedWakes() > wakes + 1; })) << "every 5 s";
    }
    // Within 10 s the tip is the inactive one; no key is pressed afterwards.
    void ExpectPressesStop(const char* why) const {
        ASSERT_TRUE(WaitUntil(10000, [&] { return LastTipIs(kDisabled); }))
            << why << ": not seen within 10 s";
        ExpectNoPresses(why);
    }
    static HWND StartedWindow(Process& process, const wchar_t* cls) {
        return WaitForProcessWindow(process.Id(), cls, nullptr, 10000);
    }
    static bool InFront(HWND wnd) {
        // Wine gives a new window the front; a switch back is asked for.
        if (::GetForegroundWindow() != wnd)
            ::SetForegroundWindow(wnd);
        return WaitUntil(5000, [wnd] { return ::GetForegroundWindow() == wnd; });
    }

    Process staywick_;
    std::unique_ptr<StandInShell> shell_;
};

TEST_F(WindowReasonsE2eTest, PressesOnlyWhileNotepadIsInFront) {
    ASSERT_NO_FATAL_FAILURE(StartWith("WhileForeground=notepad.exe\r\n"));
    ExpectNoPresses("before notepad ran");
    EXPECT_EQ(ForcedWakes(), 0u);

    Process notepad = Process::Start(L"C:\\windows\\notepad.exe");
    HWND notepadWindow = StartedWindow(notepad, L"Notepad");
    ASSERT_NE(notepadWindow, nullptr);
    ASSERT_TRUE(InFront(notepadWindow));
    ExpectPresses(L"&Staywick is active (while notepad.exe is in front)");

    Process winemine = Process::Start(L"C:\\windows\\system32\\winemine.exe");
    HWND winemineWindow = StartedWindow(winemine, L"WineMine");
    ASSERT_NE(winemineWindow, nullptr);
    ASSERT_TRUE(InFront(winemineWindow));
    ExpectPressesStop("while winemine was in front");
    EXPECT_TRUE(notepad.Running());

    // Back in front: keep-awake comes back.
    ASSERT_TRUE(InFront(notepadWindow));
    ExpectPresses(L"&Staywick is active (while notepad.exe is in front)");
    EXPECT_NE(ReadFileBytes(SettingsPath()).find("Active=0\r\n"), std::string::npos);
    EXPECT_TRUE(staywick_.Running());
}

TEST_F(WindowReasonsE2eTest, PressesWhileANotepadWindowIsOpen) {
    ASSERT_NO_FATAL_FAILURE(StartWith("WhileWindowTitle=*notepad*\r\n"));
    ExpectNoPresses("before notepad ran");

    Process notepad = Process::Start(L"C:\\windows\\notepad.exe");
    HWND notepadWindow = StartedWindow(notepad, L"Notepad");
    ASSERT_NE(notepadWindow, nullptr);
    ExpectPresses(L"&Staywick is active (while a window titled *notepad* is open)");
    // Not in front counts too: the window is open.
    Process winemine = Process::Start(L"C:\\windows\\system32\\winemine.exe");
    ASSERT_NE(StartedWindow(winemine, L"WineMine"), nullptr);
    ExpectPresses(L"&Staywick is active (while a window titled *notepad* is open)");

    // Closed as a user closes it.
    ::PostMessageW(notepadWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(notepad.WaitExit(10000).has_value());
    ExpectPressesStop("after notepad closed");
    EXPECT_TRUE(staywick_.Running());
}

} // namespace
} // namespace staywick::test
