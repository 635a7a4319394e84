// The license agreement viewer: the dialog with the agreement, its layout,
// "&Copy Text", the temporary file that never outlives the loading, and the
// error path of an unwritable temporary folder.
#include "common/app_error.h"
#include "license/win32/license_dialog.h"
#include "license/win32/show_license.h"
#include "resources/resource.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <richedit.h>

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
        ok = ChildRect(::GetDlgItem(dlg, IDOK));
        dpi = WindowDpi(dlg);
        readOnly = ::GetWindowLongPtrW(FrmLicense->Memo(), GWL_STYLE) & ES_READONLY;
        // A selection does not narrow what "&Copy Text" copies.
        ::SendMessageW(FrmLicense->Memo(), EM_SETSEL, 3, 9);
        ::SendMessageW(dlg, WM_COMMAND, IDM_LIC_COPYTEXT, 0);
        copied = ClipboardText();
        ::PostMessageW(dlg, WM_COMMAND, IDOK, 0);
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
            ::PostMessageW(FrmLicense->Handle(), WM_COMMAND, IDOK, 0);
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
        ::PostMessageW(FrmLicense->Handle(), WM_COMMAND, IDOK, 0);
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

} // namespace
} // namespace staywick::test
