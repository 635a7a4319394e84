// "While a program runs...": the list of program windows finds Wine's
// notepad with its title and file name, the picker shows it as "title —
// file.exe" and returns the one chosen, says so when no program has a
// window, and fits its texts at 96 and 144 pixels per inch.
#include "fakes/fake_program_windows.h"
#include "platform/win32/program_windows_win32.h"
#include "resources/resource.h"
#include "tray/win32/while_dialog.h"
#include "ui/dpi.h"
#include "windows_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace staywick {
namespace {

using test::RunSoon;
using test::TextOf;

// The width `text` needs in the control's font, every character as it is.
int WidthIn(HWND control, const std::wstring& text) {
    HDC dc = ::GetDC(control);
    const HGDIOBJ old =
        ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return size.cx;
}

// The width the control's text needs in its own font, access-key mark left out.
int NeededWidth(HWND control) {
    std::wstring text = TextOf(control);
    text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
    return WidthIn(control, text);
}

std::wstring ListEntry(HWND list, int index) {
    std::wstring entry(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXTLEN, index, 0)),
                       L'\0');
    ::SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(entry.data()));
    return entry;
}

class WhileDialogTest : public ::testing::Test {
protected:
    void SetUp() override { test::UseStaywickResources(); }
    Application app_{L"Staywick"};
};

TEST_F(WhileDialogTest, ListsNotepadWithItsTitleAndFileNameAndReturnsTheChoice) {
    test::Process notepad = test::Process::Start(L"C:\\windows\\notepad.exe");
    ASSERT_NE(test::WaitForProcessWindow(notepad.Id(), nullptr, nullptr, 10000), nullptr);
    ProgramWindowsWin32 programs;
    std::vector<ProgramWindow> listed;
    ASSERT_TRUE(test::WaitUntil(10000, [&] {
        listed = programs.List();
        return std::any_of(listed.begin(), listed.end(),
                           [&](const ProgramWindow& w) { return w.processId == notepad.Id(); });
    }));
    const auto found = std::find_if(listed.begin(), listed.end(), [&](const ProgramWindow& w) {
        return w.processId == notepad.Id();
    });
    EXPECT_EQ(found->fileName, L"notepad.exe");
    EXPECT_NE(found->title.find(L"Notepad"), std::wstring::npos) << found->title.size();
    // Never this process's own windows (the test's application window).
    for (const ProgramWindow& w : listed)
        EXPECT_NE(w.processId, ::GetCurrentProcessId());

    std::wstring caption, label, entry;
    bool okEnabled = false;
    RunSoon([&] {
        ASSERT_NE(FrmWhile, nullptr);
        HWND dlg = FrmWhile->Handle();
        HWND list = ::GetDlgItem(dlg, IDC_WHILE_LIST);
        caption = TextOf(dlg);
        label = TextOf(::GetDlgItem(dlg, IDC_WHILE_LABEL));
        okEnabled = ::IsWindowEnabled(::GetDlgItem(dlg, IDOK));
        const int index = static_cast<int>(found - listed.begin());
        entry = ListEntry(list, index);
        ::SendMessageW(list, LB_SETCURSEL, index, 0);
        ::PostMessageW(dlg, WM_COMMAND, IDOK, 0);
    });
    fakes::FakeProgramWindows fixed;
    fixed.windows = listed;
    const auto chosen = ChooseWhileProgram(app_, nullptr, fixed);
    EXPECT_EQ(FrmWhile, nullptr);
    EXPECT_EQ(caption, L"While a program runs");
    EXPECT_EQ(label, L"&Keep awake until this program ends:");
    EXPECT_TRUE(okEnabled);
    EXPECT_EQ(entry, found->title + L" \u2014 notepad.exe");
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->processId, notepad.Id());
    EXPECT_EQ(chosen->fileName, L"notepad.exe");
}

TEST_F(WhileDialogTest, NoProgramWithAWindowSaysSoAndOnlyCancelIsLeft) {
    fakes::FakeProgramWindows none;
    bool listShown = true, lineShown = false, okEnabled = true;
    std::wstring line;
    RunSoon([&] {
        HWND dlg = FrmWhile->Handle();
        listShown = ::IsWindowVisible(::GetDlgItem(dlg, IDC_WHILE_LIST));
        lineShown = ::IsWindowVisible(::GetDlgItem(dlg, IDC_WHILE_NONE));
        line = TextOf(::GetDlgItem(dlg, IDC_WHILE_NONE));
        okEnabled = ::IsWindowEnabled(::GetDlgItem(dlg, IDOK));
        // Enter: with nothing to choose it cancels.
        ::PostMessageW(dlg, WM_COMMAND, LOWORD(::SendMessageW(dlg, DM_GETDEFID, 0, 0)), 0);
    });
    EXPECT_FALSE(ChooseWhileProgram(app_, nullptr, none).has_value());
    EXPECT_EQ(none.lists, 1);
    EXPECT_FALSE(listShown);
    EXPECT_TRUE(lineShown);
    EXPECT_EQ(line, L"No program with a window is running.");
    EXPECT_FALSE(okEnabled);
}

TEST_F(WhileDialogTest, CancelAndADoubleClick) {
    fakes::FakeProgramWindows two;
    two.windows = {{L"Report.docx - Word", L"WINWORD.EXE", 100},
                   {L"Untitled - Notepad", L"notepad.exe", 200}};
    RunSoon([&] { ::PostMessageW(FrmWhile->Handle(), WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(ChooseWhileProgram(app_, nullptr, two).has_value());

    RunSoon([&] {
        HWND dlg = FrmWhile->Handle();
        HWND list = ::GetDlgItem(dlg, IDC_WHILE_LIST);
        ::SendMessageW(list, LB_SETCURSEL, 1, 0);
        ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_WHILE_LIST, LBN_DBLCLK),
                       reinterpret_cast<LPARAM>(list));
    });
    const auto chosen = ChooseWhileProgram(app_, nullptr, two);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->processId, 200u);
}

// Every text fits its control, and the list's entries fit it too, at 96 and
// at 144 pixels per inch.
TEST_F(WhileDialogTest, NoClippedTextAt96And144Dpi) {
    std::vector<ProgramWindow> windows{{L"Untitled - Notepad", L"notepad.exe", 200}};
    for (const bool empty : {false, true}) {
        TFrmWhile form(nullptr, empty ? std::vector<ProgramWindow>{} : windows);
        HWND dlg = form.Handle();
        for (const UINT dpi : {96u, 144u}) {
            SCOPED_TRACE(testing::Message() << dpi << " dpi" << (empty ? ", empty" : ""));
            RECT suggested{};
            ::GetWindowRect(dlg, &suggested);
            ::SendMessageW(dlg, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                           reinterpret_cast<LPARAM>(&suggested));
            for (const int id : {IDC_WHILE_LABEL, IDC_WHILE_NONE, IDOK, IDCANCEL}) {
                HWND control = ::GetDlgItem(dlg, id);
                RECT client{};
                ::GetClientRect(control, &client);
                EXPECT_LE(NeededWidth(control), client.right) << "control " << id;
                const TEXTMETRICW metrics = [&] {
                    TEXTMETRICW m{};
                    HDC dc = ::GetDC(control);
                    const HGDIOBJ old = ::SelectObject(
                        dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
                    ::GetTextMetricsW(dc, &m);
                    ::SelectObject(dc, old);
                    ::ReleaseDC(control, dc);
                    return m;
                }();
                EXPECT_LE(metrics.tmHeight, client.bottom) << "control " << id;
            }
            // Every control inside the client area.
            RECT client{};
            ::GetClientRect(dlg, &client);
            for (const int id : {IDC_WHILE_LABEL, IDC_WHILE_LIST, IDOK, IDCANCEL}) {
                const RECT r = test::ChildRect(::GetDlgItem(dlg, id));
                EXPECT_LE(r.right, client.right) << "control " << id;
                EXPECT_LE(r.bottom, client.bottom) << "control " << id;
            }
            EXPECT_EQ(client.right, ::MulDiv(420, static_cast<int>(dpi), 120));
        }
    }
}

// A title longer than the list scrolls sideways far enough to show it whole;
// short ones leave no horizontal scroll room. At 96 and 144 pixels per inch.
TEST_F(WhileDialogTest, ALongTitleScrollsSidewaysAShortOneDoesNot) {
    struct Row {
        const char* name;
        std::wstring title;
        bool scrolls;
    };
    const Row rows[] = {
        {.name = "short title", .title = L"Untitled - Notepad", .scrolls = false},
        {.name = "long title", .title = std::wstring(150, L'W') + L" - Notepad", .scrolls = true},
    };
    for (const Row& row : rows) {
        TFrmWhile form(nullptr, {{row.title, L"notepad.exe", 200}});
        HWND dlg = form.Handle();
        HWND list = ::GetDlgItem(dlg, IDC_WHILE_LIST);
        for (const UINT dpi : {96u, 144u}) {
            SCOPED_TRACE(testing::Message() << row.name << ", " << dpi << " dpi");
            RECT suggested{};
            ::GetWindowRect(dlg, &suggested);
            ::SendMessageW(dlg, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                           reinterpret_cast<LPARAM>(&suggested));
            RECT client{};
            ::GetClientRect(list, &client);
            const auto extent =
                static_cast<int>(::SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0));
            EXPECT_GE(extent, WidthIn(list, ListEntry(list, 0)))
                << "the whole entry can be scrolled into view";
            EXPECT_EQ(extent > client.right, row.scrolls) << extent << " against " << client.right;
        }
    }
}

} // namespace
} // namespace staywick
