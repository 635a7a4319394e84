// Not a check: shows the Options dialog, the About window and the license
// dialog one after the other in the standard and the dark look, so that a
// script can take screenshots of them. Run by hand:
//   STAYWICK_SHOTS=<folder> win_inproc_tests --gtest_also_run_disabled_tests
//       --gtest_filter=*DISABLED_Screens*
// For each window it writes "<folder>\<name>.ready" and waits (up to 30 s)
// until "<folder>\<name>.done" exists.
#include "app/about_window.h"
#include "app/window.h"
#include "license/win32/license_dialog.h"
#include "license/win32/show_license.h"
#include "settings/win32/options_dialog.h"
#include "tray/win32/visual_style.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace staywick::test {
namespace {

class ShotHost : public Window {
public:
    explicit ShotHost(HWND owner) {
        RegisterWindowClass(L"StaywickShotHost", 0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE));
        Create(WS_EX_DLGMODALFRAME, L"StaywickShotHost", L"Main",
               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, 400, 300, owner);
    }
    ~ShotHost() override { Destroy(); }
    TAboutWindow* about = nullptr;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if (about && about->HandleMessage(msg, wParam, lParam, result)) return result;
        return DefaultHandling(msg, wParam, lParam);
    }
};

// Lets the script take its picture while the loop keeps painting.
void Handshake(Application& app, const std::wstring& folder, const std::wstring& name) {
    for (int i = 0; i < 10; ++i) {
        app.ProcessMessages();
        ::Sleep(50);
    }
    WriteFileBytes(folder + L"\\" + name + L".ready", "");
    WaitUntil(30000, [&] {
        app.ProcessMessages();
        return FileExists(folder + L"\\" + name + L".done");
    });
}

TEST(DISABLED_Screens, ShowEachWindowInBothLooks) {
    wchar_t folder[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"STAYWICK_SHOTS", folder, MAX_PATH)) GTEST_SKIP();
    UseStaywickResources();
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_LINK_CLASS | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&icc);
    Application app(L"Staywick");
    for (StyleKind look : {StyleKind::Standard, StyleKind::Dark}) {
        VisualStyle::Select(look);
        const std::wstring suffix = look == StyleKind::Dark ? L"_dark" : L"_light";

        TStaywickOptions options;
        OptionsDialogHost host{app, options, nullptr, [] {}, [](std::uint32_t) {}, [] {}};
        RunSoon([&] {
            Handshake(app, folder, L"options" + suffix);
            ::PostMessageW(FrmOptions->Handle(), WM_COMMAND, IDCANCEL, 0);
        });
        SetMaximumsystemidletime1Click(host);

        ShotHost main(app.Handle());
        {
            TAboutWindow about(app, main.Handle(), StaywickExePath());
            main.about = &about;
            about.Show();
            Handshake(app, folder, L"about" + suffix);
            RunSoon([&] {
                Handshake(app, folder, L"license" + suffix);
                ::PostMessageW(FrmLicense->Handle(), WM_COMMAND, IDOK, 0);
            });
            about.ShowLicense.Execute();
            about.Button2Click();
            main.about = nullptr;
        }
    }
    VisualStyle::Select(StyleKind::Standard);
}

} // namespace
} // namespace staywick::test
