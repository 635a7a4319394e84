// The license agreement viewer: the dialog with the agreement, its layout,
// "&Copy Text", the temporary file that never outlives the loading, and the
// error path of an unwritable temporary folder.
#include "common/app_error.h"
#include "license/win32/license_dialog.h"
#include "license/win32/show_license.h"
#include "resources/resource.h"
#include "tray_menu_support.h"
#include "ui/error_report.h"
#include "ui/visual_style.h"
#include "ui/window_utils.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <richedit.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace staywick::test {
namespace {

std::wstring ClipboardText() {
    std::wstring text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = p;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

void PutOnClipboard(const std::wstring& text) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::copy(text.c_str(), text.c_str() + text.size() + 1,
              static_cast<wchar_t*>(::GlobalLock(mem)));
    ::GlobalUnlock(mem);
    ::SetClipboardData(CF_UNICODETEXT, mem);
    ::CloseClipboard();
}

class LicenseViewerTest : public ::testing::Test {
protected:
    void SetUp() override { UseStaywickResources(); }

    Application app_{L"Staywick"};
    TempDir temp_;
};

TEST_F(LicenseViewerTest, ShowsTheAgreementNextToTheTaskbarAndCopiesTheWholeText) {
    TempFolderOverride redirect(temp_.Path());
    TShowLicense viewer(app_, nullptr);
    viewer.SetLicenseText(LicenseAgreementLines());
    viewer.SetPosition(poDesigned);
    viewer.SetApplicationName(L"Staywick");
    ASSERT_GT(viewer.LicenseText().size(), 5u);
    EXPECT_EQ(viewer.LicenseText().front().rfind(L"{\\rtf1", 0), 0u);

    std::wstring caption, shown, copied, appName;
    std::vector<std::wstring> filesWhileOpen;
    RECT placed{}, memo{}, print{}, ok{}, client{};
    UINT dpi = 0;
    bool readOnly = false;
    PutOnClipboard(L"something else");
    RunSoon([&] {
        ASSERT_NE(FrmLicense, nullptr);
        HWND dlg = FrmLicense->Handle();
        caption = TextOf(dlg);
        appName = FrmLicense->sAppName;
        shown = FrmLicense->MemoText();
        filesWhileOpen = FilesIn(temp_.Path());
        ::GetWindowRect(dlg, &placed);
        ::GetClientRect(dlg, &client);
        memo = ChildRect(FrmLicense->Memo());
        print = ChildRect(::GetDlgItem(dlg, IDC_LIC_PRINT));
        ok = ChildRect(::GetDlgItem(dlg, IDC_LIC_OK));
        dpi = WindowDpi(dlg);
        readOnly = ::GetWindowLongPtrW(FrmLicense->Memo(), GWL_STYLE) & ES_READONLY;
        // A selection does not narrow what "&Copy Text" copies.
        ::SendMessageW(FrmLicense->Memo(), EM_SETSEL, 3, 9);
        ::SendMessageW(dlg, WM_COMMAND, IDM_LIC_COPYTEXT, 0);
        copied = ClipboardText();
        ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    viewer.Execute();

    EXPECT_EQ(FrmLicense, nullptr);
    EXPECT_EQ(caption, L"License Agreement");
    EXPECT_EQ(appName, L"Staywick");
    EXPECT_NE(shown.find(L"Staywick License Agreement"), std::wstring::npos) << "RTF was rendered";
    EXPECT_NE(shown.find(L"Disclaimer of warranty."), std::wstring::npos);
    EXPECT_NE(shown.find(L"\x00A9 2026 Tessaro"), std::wstring::npos);
    EXPECT_EQ(shown.find(L"\\rtf1"), std::wstring::npos) << "no RTF source shows";
    EXPECT_EQ(copied, shown);
    EXPECT_GT(copied.size(), 1000u);
    EXPECT_TRUE(readOnly);
    EXPECT_TRUE(filesWhileOpen.empty()) << "the temporary file is gone before the dialog shows";
    EXPECT_TRUE(FilesIn(temp_.Path()).empty());

    const auto s = [dpi](int v) { return ::MulDiv(v, static_cast<int>(dpi), 96); };
    EXPECT_EQ(client.right, s(405));
    EXPECT_EQ(client.bottom, s(394));
    EXPECT_EQ(memo.left, s(6));
    EXPECT_EQ(memo.top, s(6));
    EXPECT_EQ(memo.right - memo.left, s(391));
    EXPECT_EQ(memo.bottom - memo.top, s(350));
    EXPECT_EQ(print.left, s(6));
    EXPECT_EQ(print.top, s(365));
    EXPECT_EQ(print.right - print.left, s(75));
    EXPECT_EQ(ok.left, s(322));
    EXPECT_EQ(ok.bottom - ok.top, s(23));
    const RECT work = WorkArea();
    EXPECT_EQ(placed.right, work.right - 20);
    EXPECT_EQ(placed.bottom, work.bottom - 20);
}

TEST_F(LicenseViewerTest, EscClosesAndTheOwnerCenteredModeCentres) {
    TempFolderOverride redirect(temp_.Path());
    TShowLicense viewer(app_, nullptr);
    viewer.SetLicenseText(LicenseAgreementLines());
    EXPECT_EQ(viewer.Position(), poOwnerFormCenter) << "the component's own default";
    RECT placed{};
    RunSoon([&] {
        ::GetWindowRect(FrmLicense->Handle(), &placed);
        ::PostMessageW(FrmLicense->Memo(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    viewer.Execute();
    EXPECT_EQ(FrmLicense, nullptr);
    const RECT work = WorkArea();
    EXPECT_LE(std::abs((placed.left + placed.right) - (work.left + work.right)), 1);
    EXPECT_LE(std::abs((placed.top + placed.bottom) - (work.top + work.bottom)), 1);
}

TEST_F(LicenseViewerTest, AnUnwritableTemporaryFolderIsReportedAndNoDialogShows) {
    TempFolderOverride redirect(temp_.File(L"missing\\deeper"));
    TShowLicense viewer(app_, nullptr);
    viewer.SetLicenseText(LicenseAgreementLines());
    bool shown = false;
    RunSoon([&] {
        shown = FrmLicense != nullptr;
        if (FrmLicense)
            ::PostMessageW(FrmLicense->Handle(), WM_COMMAND, IDCANCEL, 0);
    });
    try {
        viewer.Execute();
        ADD_FAILURE() << "Execute should fail";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Text().rfind(L"Cannot create file \"", 0), 0u) << e.Text();
        EXPECT_NE(e.Text().find(L"missing"), std::wstring::npos);
    }
    EXPECT_EQ(FrmLicense, nullptr);
    EXPECT_FALSE(::FindWindowW(L"#32770", L"License Agreement"));
    app_.ProcessMessages();
    EXPECT_FALSE(shown);
}

TEST_F(LicenseViewerTest, ADocumentThatIsNoRtfLeavesNoFileBehind) {
    TempFolderOverride redirect(temp_.Path());
    TShowLicense viewer(app_, nullptr);
    // Not RTF at all: some rich-text versions show it as plain text, others
    // refuse it; either way nothing is left in the temporary folder.
    viewer.SetLicenseText({L"plain words, no RTF"});
    std::wstring shown;
    RunSoon([&] {
        if (!FrmLicense)
            return;
        shown = FrmLicense->MemoText();
        ::PostMessageW(FrmLicense->Handle(), WM_COMMAND, IDCANCEL, 0);
    });
    bool refused = false;
    try {
        viewer.Execute();
    } catch (const AppError&) {
        refused = true;
        EXPECT_FALSE(::FindWindowW(L"#32770", L"License Agreement"));
    }
    if (!refused) {
        EXPECT_NE(shown.find(L"plain words"), std::wstring::npos);
    }
    EXPECT_EQ(FrmLicense, nullptr);
    EXPECT_TRUE(FilesIn(temp_.Path()).empty());
}

// The dialog itself, loaded with the agreement, for the tests below.
class LicenseDialogTest : public LicenseViewerTest {
protected:
    void SetUp() override {
        LicenseViewerTest::SetUp();
        dialog_ = std::make_unique<TFrmLicense>(nullptr);
        const std::string rtf = "{\\rtf1\\ansi Staywick License Agreement\\par Second line.}";
        HANDLE file = ::CreateFileW(temp_.File(L"a.rtf").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        DWORD written = 0;
        ::WriteFile(file, rtf.data(), static_cast<DWORD>(rtf.size()), &written, nullptr);
        ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
        dialog_->LoadRtf(file);
        ::CloseHandle(file);
    }
    void TearDown() override {
        dialog_.reset();
        VisualStyle::Select(StyleKind::Standard);
        SetErrorReportSink({});
    }
    HWND Dlg() const { return dialog_->Handle(); }

    std::unique_ptr<TFrmLicense> dialog_;
};

// Enter in the agreement's text is not taken by it, and OK is no default
// button, so Enter leaves the dialog open; "&OK" and Esc close it with 1.
TEST_F(LicenseDialogTest, EnterKeepsItOpenOkAndEscCloseWithOne) {
    HWND ok = ::GetDlgItem(Dlg(), IDC_LIC_OK);
    ASSERT_NE(ok, nullptr);
    EXPECT_FALSE(::GetWindowLongPtrW(ok, GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_EQ(TextOf(ok), L"&OK");
    EXPECT_EQ(::GetDlgItem(Dlg(), IDOK), nullptr);

    struct Row {
        const char* name;
        HWND target; // where the key goes (the text field has the focus)
        WPARAM key;  // 0: the OK button is clicked
    };
    for (const Row& row : {Row{"Esc", dialog_->Memo(), VK_ESCAPE}, Row{"OK", ok, 0}}) {
        SCOPED_TRACE(row.name);
        bool openAfterEnter = false;
        RunSoon([&] {
            ::SetFocus(dialog_->Memo());
            ::PostMessageW(dialog_->Memo(), WM_KEYDOWN, VK_RETURN, 0);
            ::PostMessageW(dialog_->Memo(), WM_KEYUP, VK_RETURN, 0xC0000001);
            // The dialog manager's own Enter (IDOK) does nothing either.
            ::PostMessageW(Dlg(), WM_COMMAND, IDOK, 0);
            // Timer messages come only once the queue is empty: after the keys.
            RunSoon([&] {
                openAfterEnter = ::IsWindowVisible(Dlg()) != FALSE;
                if (row.key)
                    ::PostMessageW(row.target, WM_KEYDOWN, row.key, 0);
                else
                    ::SendMessageW(row.target, BM_CLICK, 0, 0);
            });
        });
        EXPECT_EQ(dialog_->ShowModal(app_), 1);
        EXPECT_TRUE(openAfterEnter) << "Enter closed the dialog";
        EXPECT_FALSE(::IsWindowVisible(Dlg()));
    }
}

// The text field takes the new colours when the look switches while it is open.
TEST_F(LicenseDialogTest, TheTextFieldFollowsALookSwitch) {
    auto background = [&] {
        // EM_SETBKGNDCOLOR answers the colour it replaces; put it back.
        const auto old = static_cast<COLORREF>(
            ::SendMessageW(dialog_->Memo(), EM_SETBKGNDCOLOR, 0, RGB(1, 2, 3)));
        ::SendMessageW(dialog_->Memo(), EM_SETBKGNDCOLOR, 0, old);
        return old;
    };
    auto textColour = [&] {
        ::SendMessageW(dialog_->Memo(), EM_SETSEL, 0, -1);
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof(cf);
        ::SendMessageW(dialog_->Memo(), EM_GETCHARFORMAT, SCF_SELECTION,
                       reinterpret_cast<LPARAM>(&cf));
        return (cf.dwEffects & CFE_AUTOCOLOR) ? CLR_DEFAULT : cf.crTextColor;
    };
    EXPECT_EQ(background(), ::GetSysColor(COLOR_BTNFACE));
    VisualStyle::Select(StyleKind::Dark);
    if (!VisualStyle::IsDark())
        GTEST_SKIP() << "high contrast: no dark look";
    EXPECT_EQ(background(), VisualStyle::Colors().window);
    EXPECT_EQ(textColour(), VisualStyle::Colors().text);
    VisualStyle::Select(StyleKind::Standard);
    EXPECT_EQ(background(), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(textColour(), CLR_DEFAULT);
}

// "&Copy Text" in the text field's context menu, in both looks: drawn dark by
// the program in the dark look, and chosen with its key C in either.
struct ContextMenuCase {
    const char* name;
    bool dark;
};

class LicenseContextMenu : public LicenseDialogTest,
                           public ::testing::WithParamInterface<ContextMenuCase> {};

TEST_P(LicenseContextMenu, FollowsTheLookAndCopiesWithItsKey) {
    VisualStyle::Select(GetParam().dark ? StyleKind::Dark : StyleKind::Standard);
    if (GetParam().dark && !VisualStyle::IsDark())
        GTEST_SKIP() << "high contrast: no dark look";
    PutOnClipboard(L"something else");
    bool ownerDrawn = false, typed = false;
    COLORREF pixel = CLR_INVALID;
    std::wstring copied;
    RunSoon([&] {
        ::ShowWindow(Dlg(), SW_SHOW);
        test::MenuDriver driver([&](int, HWND open) {
            if (!open)
                return !typed;
            if (typed)
                return true; // the key closes the menu
            const auto menu = reinterpret_cast<HMENU>(::SendMessageW(open, 0x01E1, 0, 0));
            ownerDrawn = (test::MenuType(menu, 0) & MFT_OWNERDRAW) != 0;
            RECT item{};
            ::GetMenuItemRect(nullptr, menu, 0, &item);
            HDC screen = ::GetDC(nullptr);
            pixel = ::GetPixel(screen, item.right - 3, item.top + 2);
            ::ReleaseDC(nullptr, screen);
            ::PostMessageW(open, WM_CHAR, L'c', 0);
            typed = true;
            return true;
        });
        RECT memo{};
        ::GetWindowRect(dialog_->Memo(), &memo);
        ::SendMessageW(Dlg(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dialog_->Memo()),
                       MAKELPARAM(memo.left + 20, memo.top + 20));
        MSG msg; // the chosen item's command
        while (::PeekMessageW(&msg, Dlg(), 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        copied = ClipboardText();
        ::PostMessageW(Dlg(), WM_COMMAND, IDCANCEL, 0);
    });
    dialog_->ShowModal(app_);
    EXPECT_TRUE(typed) << "the menu opened";
    EXPECT_EQ(ownerDrawn, GetParam().dark);
    if (GetParam().dark)
        EXPECT_EQ(pixel, VisualStyle::Colors().window);
    else
        EXPECT_EQ(pixel, ::GetSysColor(COLOR_MENU));
    EXPECT_NE(copied.find(L"Staywick License Agreement"), std::wstring::npos) << "C chose it";
}

INSTANTIATE_TEST_SUITE_P(Looks, LicenseContextMenu,
                         ::testing::Values(ContextMenuCase{.name = "Dark", .dark = true},
                                           ContextMenuCase{.name = "Standard", .dark = false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A clipboard that cannot be opened, reached from "&Copy Text": the standard report.
TEST_F(LicenseDialogTest, CopyTextReportsAClipboardItCannotOpen) {
    std::vector<std::wstring> reports;
    SetErrorReportSink([&](const std::wstring& text) { reports.push_back(text); });
    std::mutex mutex;
    std::condition_variable changed;
    bool held = false, release = false;
    std::thread holder([&] {
        const BOOL opened = ::OpenClipboard(nullptr);
        {
            std::lock_guard lock(mutex);
            held = opened != FALSE;
        }
        changed.notify_all();
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return release; });
        if (opened)
            ::CloseClipboard();
    });
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return held; });
    }
    ::SendMessageW(Dlg(), WM_COMMAND, IDM_LIC_COPYTEXT, 0);
    {
        std::lock_guard lock(mutex);
        release = true;
    }
    changed.notify_all();
    holder.join();
    EXPECT_EQ(reports, std::vector<std::wstring>{L"Cannot open clipboard"});
}

// Each failing step of putting the text on the clipboard is reported, and
// the clipboard is closed again.
struct ClipboardFailure {
    const char* name;
    bool failLock, failSet;
    const wchar_t* reportStart;
};

class ClipboardFailures : public ::testing::TestWithParam<ClipboardFailure> {};

int closes = 0;

TEST_P(ClipboardFailures, AreReportedAndCloseTheClipboard) {
    ClipboardCalls calls;
    calls.close = [] {
        ++closes;
        return ::CloseClipboard();
    };
    if (GetParam().failLock)
        calls.lock = [](HGLOBAL) -> LPVOID { return nullptr; };
    if (GetParam().failSet) {
        calls.set = [](UINT, HANDLE) -> HANDLE {
            ::SetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        };
    }
    closes = 0;
    try {
        PutTextOnClipboard(nullptr, L"the agreement", calls);
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Text().rfind(GetParam().reportStart, 0), 0u) << e.Text();
    }
    EXPECT_EQ(closes, 1);
    EXPECT_NE(ClipboardText(), L"the agreement");
    // The same calls without the failure put the text there.
    PutTextOnClipboard(nullptr, L"the agreement");
    EXPECT_EQ(ClipboardText(), L"the agreement");
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ClipboardFailures,
    ::testing::Values(ClipboardFailure{.name = "Lock",
                                       .failLock = true,
                                       .failSet = false,
                                       .reportStart = L"Out of memory"},
                      ClipboardFailure{.name = "Set",
                                       .failLock = false,
                                       .failSet = true,
                                       .reportStart = L"Cannot copy the text to the clipboard. "}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace staywick::test
