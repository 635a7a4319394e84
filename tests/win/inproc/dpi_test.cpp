// Display scaling on the systems before Windows 10 1607: with the newer
// functions taken away (as on 8.1, which has only shcore's GetDpiForMonitor,
// and on 7, which has neither), every answer is the one the newer functions
// give, and a window sized like the dialogs lands on the same pixels next to
// the taskbar.
#include "common/win32/placement_win32.h"
#include "ui/dialog_support.h"
#include "ui/dpi.h"
#include "ui/styled_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace staywick {
namespace {

struct OlderSystem {
    const char* name = "";
    bool hasWindows10Functions = false; // the five of 10 1607
    bool hasGetDpiForMonitor = false;   // shcore, 8.1
};

DpiFunctions FunctionsOf(const OlderSystem& system) {
    const DpiFunctions all = SystemDpiFunctions();
    DpiFunctions some;
    if (system.hasWindows10Functions) {
        some = all;
        some.getDpiForMonitor = nullptr;
    }
    if (system.hasGetDpiForMonitor)
        some.getDpiForMonitor = all.getDpiForMonitor;
    return some;
}

// The stand-in for one test, taken back on every path.
class ScopedDpiFunctions {
public:
    explicit ScopedDpiFunctions(const DpiFunctions& functions) : functions_(functions) {
        SetDpiFunctions(&functions_);
    }
    ~ScopedDpiFunctions() { SetDpiFunctions(nullptr); }
    ScopedDpiFunctions(const ScopedDpiFunctions&) = delete;
    ScopedDpiFunctions& operator=(const ScopedDpiFunctions&) = delete;

private:
    DpiFunctions functions_;
};

// A window with a frame, sized for a 400 x 300 client area at its DPI as the
// dialogs size themselves, then placed next to the taskbar.
RECT SizedAndPlaced(HWND wnd) {
    SetClientSize(wnd, 400, 300, WindowDpi(wnd));
    PlaceNearTaskbar(wnd);
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return r;
}

class DpiOnOlderSystems : public ::testing::TestWithParam<OlderSystem> {
protected:
    void SetUp() override {
        wnd_ = ::CreateWindowExW(WS_EX_DLGMODALFRAME, L"STATIC", L"sized",
                                 WS_POPUP | WS_CAPTION | WS_SYSMENU, 5, 5, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
        ASSERT_NE(wnd_, nullptr);
        ASSERT_NE(real_.getDpiForWindow, nullptr) << "Wine has the newer functions to compare with";
        ASSERT_NE(real_.getDpiForSystem, nullptr);
        ASSERT_NE(real_.getSystemMetricsForDpi, nullptr);
        ASSERT_NE(real_.systemParametersInfoForDpi, nullptr);
        ASSERT_NE(real_.adjustWindowRectExForDpi, nullptr);
        ASSERT_NE(real_.getDpiForMonitor, nullptr);
    }
    void TearDown() override { ::DestroyWindow(wnd_); }

    const DpiFunctions real_ = SystemDpiFunctions();
    HWND wnd_ = nullptr;
};

TEST_P(DpiOnOlderSystems, ResolutionsAreTheNewerFunctionsOwn) {
    const UINT systemDpi = real_.getDpiForSystem();
    const UINT windowDpi = real_.getDpiForWindow(wnd_);
    const UINT pointDpi = DpiAtPoint(POINT{200, 200});
    ScopedDpiFunctions older(FunctionsOf(GetParam()));
    EXPECT_EQ(SystemDpi(), systemDpi);
    EXPECT_EQ(WindowDpi(wnd_), windowDpi);
    EXPECT_EQ(DpiAtPoint(POINT{200, 200}), pointDpi);
    EXPECT_EQ(WindowDpi(nullptr), USER_DEFAULT_SCREEN_DPI) << "never 0";
}

// Metrics are compared at the system DPI, where the older systems draw: at
// other resolutions Wine's GetSystemMetricsForDpi derives some metrics from
// the menu font (SM_CXMENUCHECK at 144 DPI: 25 against 22 scaled), so there
// the fallback can only be the plain value scaled. Fonts and non-client sizes
// agree at every resolution.
TEST_P(DpiOnOlderSystems, MetricsAndMenuFontsAreTheNewerFunctionsOwn) {
    const UINT systemDpi = real_.getDpiForSystem();
    std::vector<int> expected;
    for (const int metric : {SM_CXMENUCHECK, SM_CYMENUSIZE, SM_CXSMICON, SM_CYCAPTION})
        expected.push_back(real_.getSystemMetricsForDpi(metric, systemDpi));
    ScopedDpiFunctions older(FunctionsOf(GetParam()));
    EXPECT_EQ((std::vector<int>{SystemMetricForDpi(SM_CXMENUCHECK, systemDpi),
                                SystemMetricForDpi(SM_CYMENUSIZE, systemDpi),
                                SystemMetricForDpi(SM_CXSMICON, systemDpi),
                                SystemMetricForDpi(SM_CYCAPTION, systemDpi)}),
              expected);
    for (const UINT dpi : {96u, 120u, 144u, 192u}) {
        SCOPED_TRACE(dpi);
        NONCLIENTMETRICSW expected{};
        expected.cbSize = sizeof(expected);
        ASSERT_TRUE(real_.systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(expected),
                                                     &expected, 0, dpi));
        NONCLIENTMETRICSW metrics{};
        ASSERT_TRUE(NonClientMetricsForDpi(metrics, dpi));
        EXPECT_EQ(metrics.lfMenuFont.lfHeight, expected.lfMenuFont.lfHeight);
        EXPECT_EQ(std::wstring(metrics.lfMenuFont.lfFaceName),
                  std::wstring(expected.lfMenuFont.lfFaceName));
        EXPECT_EQ(metrics.lfMessageFont.lfHeight, expected.lfMessageFont.lfHeight);
        EXPECT_EQ(metrics.iMenuHeight, expected.iMenuHeight);
        EXPECT_EQ(metrics.iCaptionHeight, expected.iCaptionHeight);
    }
}

TEST_P(DpiOnOlderSystems, FramesAndPlacementNearTheTaskbarMeasureTheSame) {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU, exStyle = WS_EX_DLGMODALFRAME;
    RECT expected{0, 0, 400, 300};
    ASSERT_TRUE(
        real_.adjustWindowRectExForDpi(&expected, style, FALSE, exStyle, real_.getDpiForSystem()));
    const RECT placed = SizedAndPlaced(wnd_);

    ScopedDpiFunctions older(FunctionsOf(GetParam()));
    RECT frame{0, 0, 400, 300};
    ASSERT_TRUE(AdjustWindowRectForDpi(frame, style, exStyle, SystemDpi()));
    EXPECT_TRUE(::EqualRect(&frame, &expected));
    ::SetWindowPos(wnd_, nullptr, 5, 5, 100, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT again = SizedAndPlaced(wnd_);
    EXPECT_TRUE(::EqualRect(&again, &placed))
        << again.left << "," << again.top << "," << again.right << "," << again.bottom << " vs "
        << placed.left << "," << placed.top << "," << placed.right << "," << placed.bottom;
    RECT client{};
    ::GetClientRect(wnd_, &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);
}

INSTANTIATE_TEST_SUITE_P(Systems, DpiOnOlderSystems,
                         ::testing::Values(OlderSystem{.name = "Windows10_1607AndLater",
                                                       .hasWindows10Functions = true,
                                                       .hasGetDpiForMonitor = true},
                                           OlderSystem{.name = "Windows8_1",
                                                       .hasGetDpiForMonitor = true},
                                           OlderSystem{.name = "Windows7"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace staywick
