// The About face of the main window: its controls and texts, the version
// line from Staywick.exe, the links, hiding with OK/Enter/Esc and the
// placement only on turning visible.
#include "app/about_window.h"
#include "about_host.h"
#include "resources/resource.h"
#include "ui/window_utils.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace staywick::test {
namespace {

class AboutWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseStaywickResources();
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
        ::InitCommonControlsEx(&icc);
        about_ = std::make_unique<TAboutWindow>(app_, host_.Handle(), StaywickExePath());
        host_.about = about_.get();
        // What would be handed to the shell.
        SetWebAddressOpener([this](const std::wstring& url) { opened_.push_back(url); });
    }
    void TearDown() override {
        SetWebAddressOpener({});
        host_.about = nullptr;
        about_.reset();
    }

    HWND Item(int id) { return about_->Control(id); }
    void Click(int id, UINT code = NM_CLICK) {
        NMHDR hdr{Item(id), static_cast<UINT_PTR>(id), code};
        ::SendMessageW(host_.Handle(), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&hdr));
    }

    Application app_{L"Staywick"};
    HostWindow host_{app_.Handle()};
    std::unique_ptr<TAboutWindow> about_;
    std::vector<std::wstring> opened_;
};

TEST_F(AboutWindowTest, ControlsTextsAndLayout) {
    EXPECT_EQ(TextOf(Item(IDC_ABOUT_NAME)), L"Staywick");
    EXPECT_EQ(TextOf(Item(IDC_ABOUT_VERSION)), L"Version 1.1 (64-bit)");
    EXPECT_EQ(TextOf(Item(IDC_ABOUT_COPYRIGHT)), L"\x00A9 2026 Tessaro");
    EXPECT_EQ(TextOf(Item(IDC_ABOUT_OK)), L"&OK");
    EXPECT_NE(TextOf(Item(IDC_ABOUT_FONT)).find(L"Glyphter"), std::wstring::npos);
    EXPECT_NE(TextOf(Item(IDC_ABOUT_FONT)).find(L"fontTools"), std::wstring::npos);
    ASSERT_NE(Item(IDC_ABOUT_SITE), nullptr) << "SysLink controls exist";
    EXPECT_EQ(TextOf(Item(IDC_ABOUT_SUPPORT)), L"<a>Technical Support information</a>\r\n");
    EXPECT_EQ(TextOf(Item(IDC_ABOUT_DONATE)), L"Donate with <a>Paypal</a> ");
    // The home page's address as people write it; the link opens the full URL.
    EXPECT_EQ(TextOf(Item(IDC_ABOUT_SITE)), L"<a>www.tessaro.example</a>");
    EXPECT_TRUE(::GetWindowLongPtrW(Item(IDC_ABOUT_OK), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_NE(::SendMessageW(Item(IDC_ABOUT_LOGO), STM_GETICON, 0, 0), 0);
    EXPECT_EQ(FontOf(Item(IDC_ABOUT_NAME)).lfWeight, FW_BOLD);

    const UINT dpi = WindowDpi(host_.Handle());
    const auto s = [dpi](int v) { return ::MulDiv(v, static_cast<int>(dpi), 120); };
    struct Box {
        int id, left, top, width, height;
    };
    for (const Box& b :
         {Box{.id = IDC_ABOUT_LOGO, .left = 17, .top = 14, .width = 40, .height = 40},
          Box{.id = IDC_ABOUT_NAME, .left = 70, .top = 10, .width = 91, .height = 20},
          Box{.id = IDC_ABOUT_COPYRIGHT, .left = 70, .top = 65, .width = 246, .height = 20},
          Box{.id = IDC_ABOUT_SITE, .left = 70, .top = 115, .width = 196, .height = 24},
          Box{.id = IDC_ABOUT_SUPPORT, .left = 70, .top = 203, .width = 204, .height = 24},
          Box{.id = IDC_ABOUT_OK, .left = 300, .top = 295, .width = 86, .height = 30},
          Box{.id = IDC_ABOUT_DONATE, .left = 9, .top = 297, .width = 136, .height = 24}}) {
        SCOPED_TRACE(testing::Message() << "control " << b.id);
        const RECT r = ChildRect(Item(b.id));
        EXPECT_EQ(r.left, s(b.left));
        EXPECT_EQ(r.top, s(b.top));
        EXPECT_EQ(r.right - r.left, s(b.width));
        EXPECT_EQ(r.bottom - r.top, s(b.height));
    }
    const RECT version = ChildRect(Item(IDC_ABOUT_VERSION));
    EXPECT_EQ(version.left, s(71));
    EXPECT_GT(version.right - version.left, s(48)) << "sized to its longer text";
    RECT client{};
    ::GetClientRect(host_.Handle(), &client);
    EXPECT_EQ(client.right, s(394));
    EXPECT_EQ(client.bottom, s(333));

    // Tab order: site, license, support, OK, donate.
    const int order[] = {IDC_ABOUT_SITE, IDC_ABOUT_LICENSE, IDC_ABOUT_SUPPORT,
                         IDC_ABOUT_OK,   IDC_ABOUT_DONATE,  IDC_ABOUT_SITE};
    for (int i = 0; i + 1 < 6; ++i) {
        EXPECT_EQ(::GetNextDlgTabItem(host_.Handle(), Item(order[i]), FALSE), Item(order[i + 1]));
    }
}

TEST_F(AboutWindowTest, LinksAndTheDonateItemHandTheirAddressesToTheShell) {
    Click(IDC_ABOUT_SITE);
    Click(IDC_ABOUT_SUPPORT, NM_RETURN);
    Click(IDC_ABOUT_DONATE);
    OpenDonationPage(); // the tray menu's "&Donate" (MnuDonateClick)
    EXPECT_EQ(opened_, (std::vector<std::wstring>{STAYWICK_HOME_URL, STAYWICK_SUPPORT_URL,
                                                  STAYWICK_DONATE_URL, STAYWICK_DONATE_URL}));
    EXPECT_EQ(std::wstring(STAYWICK_SUPPORT_URL), std::wstring(STAYWICK_HOME_URL) + L"Support.php");
    const std::wstring donate = STAYWICK_DONATE_URL;
    EXPECT_EQ(donate.rfind(L"https://www.paypal.com/donate/?hosted_button_id=", 0), 0u) << donate;
    EXPECT_GT(donate.size(),
              std::wstring(L"https://www.paypal.com/donate/?hosted_button_id=").size());
}

TEST_F(AboutWindowTest, LicenseLinkOpensTheAgreementNextToTheTaskbar) {
    TempDir temp;
    TempFolderOverride redirect(temp.Path());
    std::wstring caption;
    RECT placed{};
    RunSoon([&] {
        HWND dlg = ::FindWindowW(L"#32770", L"License Agreement");
        caption = TextOf(dlg);
        ::GetWindowRect(dlg, &placed);
        ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    Click(IDC_ABOUT_LICENSE);
    EXPECT_EQ(caption, L"License Agreement");
    EXPECT_EQ(placed.bottom, WorkArea().bottom - 20);
    EXPECT_TRUE(FilesIn(temp.Path()).empty());
}

TEST_F(AboutWindowTest, ShowPlacesOnlyWhenTurningVisibleAndOkEnterEscHide) {
    HWND wnd = host_.Handle();
    about_->Show();
    ASSERT_TRUE(::IsWindowVisible(wnd));
    RECT r{};
    ::GetWindowRect(wnd, &r);
    const RECT work = WorkArea();
    EXPECT_EQ(r.right, work.right - 20);
    EXPECT_EQ(r.bottom, work.bottom - 20);

    // Already visible: brought forward, not placed again.
    ::SetWindowPos(wnd, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    about_->Show();
    ::GetWindowRect(wnd, &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 30);

    // Esc, Enter and the button, each through the application's loop.
    for (WPARAM key : {WPARAM(VK_ESCAPE), WPARAM(VK_RETURN)}) {
        about_->Show();
        ::SetFocus(Item(IDC_ABOUT_OK));
        ::PostMessageW(Item(IDC_ABOUT_OK), WM_KEYDOWN, key, 0);
        app_.ProcessMessages();
        EXPECT_FALSE(::IsWindowVisible(wnd)) << "key " << key;
    }
    about_->Show();
    ::SendMessageW(Item(IDC_ABOUT_OK), BM_CLICK, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(wnd));
    EXPECT_TRUE(::IsWindow(wnd)) << "hidden, not closed";
}

} // namespace
} // namespace staywick::test
