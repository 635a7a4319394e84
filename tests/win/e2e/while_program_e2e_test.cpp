// Keep-awake while a listed program runs, and while the program named by
// "/while" runs, with the real Staywick.exe: off by hand, an idle limit of 0
// (a forced wake every 5 s while on) and, for the list,
// WhilePrograms=notepad.exe. Wine's notepad is started and ended as a user
// would; the presses are judged by the session's idle time and the activity
// log, the tip by a stand-in shell that takes the program's tray requests.
#include "win/common/process_helpers.h"
#include "win/common/tray_driver.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace staywick::test {
namespace {

constexpr char kSettings[] = "[General]\r\nActive=0\r\nDontLetSleepMoreThen=0\r\nActivateFor=0"
                             "\r\nAutoStopped=0\r\nInputKey=0\r\nNotifySystem=1\r\n"
                             "WhilePrograms=notepad.exe\r\n";

constexpr char kOffLimitZero[] = "[General]\r\nActive=0\r\nDontLetSleepMoreThen=0\r\nActivateFor=0"
                                 "\r\nAutoStopped=0\r\nInputKey=0\r\nNotifySystem=1\r\n";

// True when the idle time grew for `ms` without once going back.
bool IdleGrowsFor(DWORD ms) {
    DWORD last = SessionIdleMs();
    bool fell = false;
    const ULONGLONG until = ::GetTickCount64() + ms;
    while (::GetTickCount64() < until) {
        ::Sleep(100);
        const DWORD idle = SessionIdleMs();
        fell = fell || idle < last;
        last = idle;
    }
    return !fell;
}

class WhileProgramE2eTest : public PortableInstallTest {
protected:
    std::size_t ForcedWakes() const { return ForcedWakesLogged(dir_.File(L"Staywick.log")); }
    // The latest tip the program gave the shell.
    static bool LastTipIs(const StandInShell& shell, const std::wstring& tip) {
        const auto requests = shell.Requests();
        return !requests.empty() && HoldsText(requests.back(), tip);
    }
    // Ends notepad: within 10 s the tip is the inactive one, and no key is
    // pressed afterwards.
    void NotepadEndStopsThePresses(Process& notepad, const StandInShell& shell) const {
        notepad.Kill();
        ASSERT_TRUE(WaitUntil(10000, [&] { return LastTipIs(shell, L"&Staywick is disabled"); }))
            << "notepad's end not seen within 10 s";
        ASSERT_TRUE(WaitUntil(7000, [] { return SessionIdleMs() >= 1000; }));
        const std::size_t wakesAtEnd = ForcedWakes();
        EXPECT_TRUE(IdleGrowsFor(8000)) << "a key was pressed after notepad ended";
        EXPECT_EQ(ForcedWakes(), wakesAtEnd);
    }
    // A command to the running instance; its exit code.
    std::optional<DWORD> Run(const std::wstring& args) const {
        return Process::Start(exe_, args).WaitExit(40000);
    }
};

TEST_F(WhileProgramE2eTest, NotepadStartsAndEndsThePresses) {
    WriteFileBytes(SettingsPath(), kSettings);
    Process staywick = Process::Start(exe_, L"/L");
    ASSERT_NE(WaitForStartUp(staywick.Id()), nullptr);

    // Off, and nothing listed runs: no presses. (A window that opens counts
    // as input under Wine a moment later: start from a settled idle time.)
    ASSERT_TRUE(WaitUntil(5000, [] { return SessionIdleMs() >= 1000; }));
    EXPECT_TRUE(IdleGrowsFor(12000)) << "a key was pressed while off";
    EXPECT_EQ(ForcedWakes(), 0u);

    StandInShell shell;
    ASSERT_NE(shell.Window(), nullptr);
    Process notepad = Process::Start(L"C:\\windows\\notepad.exe");
    const ULONGLONG started = ::GetTickCount64();
    ASSERT_TRUE(WaitUntil(10000, [&] { return ForcedWakes() >= 1; }))
        << "no forced wake within 10 s of notepad's start";
    EXPECT_LE(::GetTickCount64() - started, 10000u);
    EXPECT_TRUE(WaitUntil(
        2000, [&] { return LastTipIs(shell, L"&Staywick is active (while notepad.exe runs)"); }));
    EXPECT_TRUE(WaitUntil(7000, [&] { return ForcedWakes() >= 2; })) << "every 5 s";

    NotepadEndStopsThePresses(notepad, shell);
    // The user's own state was never changed.
    EXPECT_NE(ReadFileBytes(SettingsPath()).find("Active=0\r\n"), std::string::npos);
    EXPECT_TRUE(staywick.Running());
}

TEST_F(WhileProgramE2eTest, WhileCommandKeepsAwakeUntilNotepadEnds) {
    WriteFileBytes(SettingsPath(), kOffLimitZero);
    Process staywick = Process::Start(exe_, L"/L");
    ASSERT_NE(WaitForStartUp(staywick.Id()), nullptr);
    StandInShell shell;
    ASSERT_NE(shell.Window(), nullptr);

    // Refused: no value, and a program that does not run.
    EXPECT_EQ(Run(L"/while"), 64u);
    EXPECT_EQ(Run(L"/while notepad.exe"), 64u);
    EXPECT_EQ(Run(L"/status"), 0u);

    Process notepad = Process::Start(L"C:\\windows\\notepad.exe");
    ASSERT_NE(WaitForProcessWindow(notepad.Id(), nullptr, nullptr, 10000), nullptr);
    ASSERT_TRUE(WaitUntil(5000, [] { return SessionIdleMs() >= 1000; }));
    const ULONGLONG chosen = ::GetTickCount64();
    ASSERT_EQ(Run(L"/while NOTEPAD.EXE"), 0u);
    ASSERT_TRUE(WaitUntil(10000, [&] { return ForcedWakes() >= 1; }))
        << "no forced wake within 10 s of /while";
    EXPECT_LE(::GetTickCount64() - chosen, 10000u);
    EXPECT_TRUE(WaitUntil(
        2000, [&] { return LastTipIs(shell, L"&Staywick is active (while notepad.exe runs)"); }));
    EXPECT_EQ(Run(L"/status"), 1u);

    NotepadEndStopsThePresses(notepad, shell);
    EXPECT_EQ(Run(L"/status"), 0u);
    // Nothing of the one-shot was saved.
    EXPECT_NE(ReadFileBytes(SettingsPath()).find("Active=0\r\n"), std::string::npos);
    EXPECT_TRUE(staywick.Running());
}

// The same through the tray menu: "Activate for", its last item, and notepad
// chosen in the dialog as a user would.
TEST_F(WhileProgramE2eTest, ChosenInTheDialogKeepsAwakeUntilNotepadEnds) {
    WriteFileBytes(SettingsPath(), kOffLimitZero);
    Process staywick = Process::Start(exe_, L"/L");
    ASSERT_NE(WaitForStartUp(staywick.Id()), nullptr);
    StandInShell shell;
    ASSERT_NE(shell.Window(), nullptr);
    Process notepad = Process::Start(L"C:\\windows\\notepad.exe");
    ASSERT_NE(WaitForProcessWindow(notepad.Id(), nullptr, nullptr, 10000), nullptr);

    ASSERT_TRUE(ChooseTraySubmenuItem(staywick.Id(), 2, 2)); // up past "&For..."
    HWND dlg = WaitForProcessWindow(staywick.Id(), L"#32770", L"While a program runs", 5000);
    ASSERT_NE(dlg, nullptr);
    HWND list = ::GetDlgItem(dlg, IDC_WHILE_LIST);
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    int found = -1;
    for (int i = 0; i < count && found < 0; ++i) {
        wchar_t entry[512] = {};
        if (::SendMessageW(list, LB_GETTEXTLEN, i, 0) < 512)
            ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry));
        if (std::wstring(entry).ends_with(L" \u2014 notepad.exe"))
            found = i;
    }
    ASSERT_GE(found, 0) << count << " entries, none of notepad.exe";
    ::SendMessageW(list, LB_SETCURSEL, found, 0);
    ::PostMessageW(dlg, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil(
        5000, [&] { return LastTipIs(shell, L"&Staywick is active (while notepad.exe runs)"); }));
    EXPECT_TRUE(WaitUntil(10000, [&] { return ForcedWakes() >= 1; }));

    NotepadEndStopsThePresses(notepad, shell);
}

} // namespace
} // namespace staywick::test
