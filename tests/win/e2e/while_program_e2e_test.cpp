// Keep-awake while a listed program runs, and while the program named by
// "/while" runs, with the real Staywick.exe: off by hand, an idle limit of 0
// (a forced wake every 5 s while on) and, for the list,
// WhilePrograms=notepad.exe. Wine's notepad is started and ended as a user
// would; the presses are judged by the session's idle time and the activity
// log, the tip by a stand-in shell that takes the program's tray requests.
#include "win/common/idle_watch.h"
#include "win/common/process_helpers.h"
#include "win/common/settings_text.h"
#include "win/common/tray_driver.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace staywick::test {
namespace {

const std::string kOffLimitZero = SettingsFileText{.sleepMax = "0"}.Text();

const std::string kSettings =
    SettingsFileText{.sleepMax = "0", .more = "WhilePrograms=notepad.exe\r\n"}.Text();

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
        // Past one forced-wake period (5 s); every later tick is pinned on
        // the virtual clock natively.
        EXPECT_FALSE(WatchIdle(6000).fell) << "a key was pressed after notepad ended";
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
    EXPECT_FALSE(WatchIdle(6000).fell) << "a key was pressed while off";
    EXPECT_EQ(ForcedWakes(), 0u);

    StandInShell shell;
    ASSERT_NE(shell.Window(), nullptr);
    Process notepad = Process::Start(L"C:\\windows\\notepad.exe");
    ASSERT_TRUE(WaitUntil(10000, [&] { return ForcedWakes() >= 1; }))
        << "no forced wake within 10 s of notepad's start";
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
    ASSERT_EQ(Run(L"/while NOTEPAD.EXE"), 0u);
    ASSERT_TRUE(WaitUntil(10000, [&] { return ForcedWakes() >= 1; }))
        << "no forced wake within 10 s of /while";
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

    // Up past "&When it ends" and "&For...".
    ASSERT_TRUE(ChooseTraySubmenuItem(staywick.Id(), 2, 3));
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

// A Polish and a Greek name chosen in the Automatic dialog: saved as
// UTF-16LE, the same bytes and the same names after a restart, and the
// Greek one matches its running program whatever the case of its letters
// (a copy of Wine's notepad named in capitals).
TEST_F(WhileProgramE2eTest, PolishAndGreekNamesSurviveARestartAndMatchTheirProgram) {
    const std::wstring polish = L"Ksi\u0119gowo\u015B\u0107.exe";
    const std::wstring greek = L"\u03A9mega.exe";
    WriteFileBytes(SettingsPath(), kOffLimitZero);
    auto staywick = std::make_unique<Process>(Process::Start(exe_, L"/L"));
    ASSERT_NE(WaitForStartUp(staywick->Id()), nullptr);

    // Options, then Automatic; each name typed and added, then OK twice.
    const auto openAutomatic = [&](DWORD pid) -> std::pair<HWND, HWND> {
        if (!ChooseTrayMenuItem(pid, 3))
            return {};
        HWND options = WaitForProcessWindow(pid, L"#32770", L"Options", 5000);
        if (!options)
            return {};
        ::PostMessageW(options, WM_COMMAND, MAKEWPARAM(IDC_OPT_AUTOMATIC, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(options, IDC_OPT_AUTOMATIC)));
        return {options, WaitForProcessWindow(pid, L"#32770", L"Automatic", 5000)};
    };
    auto [options, automatic] = openAutomatic(staywick->Id());
    ASSERT_NE(automatic, nullptr) << "no Automatic dialog";
    HWND list = ::GetDlgItem(automatic, IDC_AUTO_PROGRAMLIST);
    for (const std::wstring& name : {polish, greek}) {
        const LRESULT before = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
        ::SetDlgItemTextW(automatic, IDC_AUTO_NAME, name.c_str());
        ::PostMessageW(automatic, WM_COMMAND, MAKEWPARAM(IDC_AUTO_ADD, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(automatic, IDC_AUTO_ADD)));
        ASSERT_TRUE(
            WaitUntil(5000, [&] { return ::SendMessageW(list, LB_GETCOUNT, 0, 0) == before + 1; }));
    }
    ::PostMessageW(automatic, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil(5000, [&] { return !::IsWindow(automatic); }));
    ::PostMessageW(options, WM_COMMAND, IDOK, 0);

    // "WhilePrograms=Księgowość.exe;Ωmega.exe" in UTF-16LE after the mark.
    std::string line;
    for (wchar_t c : L"WhilePrograms=" + polish + L";" + greek + L"\r\n") {
        line.push_back(static_cast<char>(c & 0xFF));
        line.push_back(static_cast<char>(c >> 8));
    }
    ASSERT_TRUE(WaitUntil(5000, [&] {
        return ReadFileBytes(SettingsPath()).find(line) != std::string::npos;
    })) << "the names were not saved as UTF-16LE";
    const std::string saved = ReadFileBytes(SettingsPath());
    EXPECT_EQ(saved.substr(0, 2), "\xFF\xFE");

    // A restart: the file untouched, the dialog lists the names as chosen.
    ::PostMessageW(WaitForMainWindow(5000), WM_CLOSE, 0, 0);
    ASSERT_TRUE(staywick->WaitExit(10000).has_value());
    staywick = std::make_unique<Process>(Process::Start(exe_, L"/L"));
    ASSERT_NE(WaitForStartUp(staywick->Id()), nullptr);
    EXPECT_EQ(ReadFileBytes(SettingsPath()), saved) << "the restart changed the file";
    std::tie(options, automatic) = openAutomatic(staywick->Id());
    ASSERT_NE(automatic, nullptr);
    list = ::GetDlgItem(automatic, IDC_AUTO_PROGRAMLIST);
    std::vector<std::wstring> listed;
    for (LRESULT i = 0; i < ::SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
        wchar_t entry[300] = {};
        if (::SendMessageW(list, LB_GETTEXTLEN, i, 0) < 300)
            ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry));
        listed.push_back(entry);
    }
    EXPECT_EQ(listed, (std::vector<std::wstring>{polish, greek}));
    ::PostMessageW(automatic, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil(5000, [&] { return !::IsWindow(automatic); }));
    ::PostMessageW(options, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil(5000, [&] { return !::IsWindow(options); }));

    // The Greek program runs, its file name in capitals.
    StandInShell shell;
    ASSERT_NE(shell.Window(), nullptr);
    const std::wstring copy = dir_.File(L"\u03C9MEGA.EXE");
    ASSERT_TRUE(::CopyFileW(L"C:\\windows\\notepad.exe", copy.c_str(), FALSE));
    Process program = Process::Start(copy);
    ASSERT_TRUE(WaitUntil(15000, [&] {
        return LastTipIs(shell, L"&Staywick is active (while " + greek + L" runs)");
    })) << "the running copy was not matched";
    program.Kill();
    EXPECT_TRUE(WaitUntil(10000, [&] { return LastTipIs(shell, L"&Staywick is disabled"); }));
    EXPECT_EQ(ReadFileBytes(SettingsPath()), saved);
}

} // namespace
} // namespace staywick::test
