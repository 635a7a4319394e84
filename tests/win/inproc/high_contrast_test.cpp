// High contrast: a black scheme of system colours (set as a user's scheme
// sets them; Wine never reports the high-contrast flag) is seen as high
// contrast, the About window's texts show in the scheme's colours, and the
// tray glyph stands out on the scheme's taskbar whatever the taskbar's
// colour mode says.
#include "about_host.h"
#include "common/contrast.h"
#include "resources/resource.h"
#include "tray/win32/glyph_list.h"
#include "tray/win32/tray_appearance.h"
#include "tray_font_support.h"
#include "ui/visual_style.h"
#include "win/common/tray_driver.h"
#include "win/inproc/windows_test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace staywick::test {
namespace {

// Windows' "High Contrast Black" for the colours the program draws with;
// the old colours come back at the end.
class BlackScheme {
public:
    BlackScheme() {
        for (std::size_t i = 0; i < std::size(kIndices); ++i)
            old_[i] = ::GetSysColor(kIndices[i]);
        ::SetSysColors(static_cast<int>(std::size(kIndices)), kIndices, kBlack);
    }
    ~BlackScheme() { ::SetSysColors(static_cast<int>(std::size(kIndices)), kIndices, old_); }
    BlackScheme(const BlackScheme&) = delete;
    BlackScheme& operator=(const BlackScheme&) = delete;

private:
    static constexpr INT kIndices[] = {COLOR_WINDOW,  COLOR_WINDOWTEXT, COLOR_BTNFACE,
                                       COLOR_BTNTEXT, COLOR_HOTLIGHT,   COLOR_HIGHLIGHT,
                                       COLOR_MENU,    COLOR_MENUTEXT,   COLOR_HIGHLIGHTTEXT};
    static constexpr COLORREF kBlack[] = {RGB(0, 0, 0),       RGB(255, 255, 255), RGB(0, 0, 0),
                                          RGB(255, 255, 255), RGB(255, 255, 0),   RGB(26, 235, 255),
                                          RGB(0, 0, 0),       RGB(255, 255, 255), RGB(0, 0, 0)};
    COLORREF old_[std::size(kIndices)] = {};
};

// The client area of a shown window as 0x00RRGGBB pixels, row by row.
struct Capture {
    explicit Capture(HWND wnd) {
        RECT rc{};
        ::GetClientRect(wnd, &rc);
        width = rc.right;
        height = rc.bottom;
        pixels.resize(static_cast<std::size_t>(width) * height);
        HDC source = ::GetDC(wnd);
        HDC memory = ::CreateCompatibleDC(source);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
        std::copy_n(static_cast<const std::uint32_t*>(bits), pixels.size(), pixels.begin());
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::ReleaseDC(wnd, source);
    }
    // As a COLORREF (0x00BBGGRR), for the contrast rules.
    COLORREF At(int x, int y) const {
        const std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
};

TEST(HighContrast, ABlackSchemeIsHighContrastWithoutTheSystemsFlag) {
    {
        BlackScheme scheme;
        EXPECT_TRUE(VisualStyle::IsHighContrast());
        VisualStyle::Select(StyleKind::Dark);
        EXPECT_FALSE(VisualStyle::IsDark()) << "the user's colours win over the dark look";
        EXPECT_EQ(VisualStyle::Colors().text, RGB(255, 255, 255));
        VisualStyle::Select(StyleKind::Standard);
    }
    EXPECT_FALSE(VisualStyle::IsHighContrast()) << "the session's own scheme is no contrast one";
}

class AboutInHighContrast : public ::testing::Test {
protected:
    void SetUp() override {
        UseStaywickResources();
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
        ::InitCommonControlsEx(&icc);
    }
    Application app_{L"Staywick"};
};

TEST_F(AboutInHighContrast, EveryTextStandsOutOnTheSchemesBackground) {
    BlackScheme scheme;
    HostWindow host(app_.Handle());
    TAboutWindow about(app_, host.Handle(), StaywickExePath());
    host.about = &about;
    ::SetWindowPos(host.Handle(), HWND_TOPMOST, 20, 20, 0, 0,
                   SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::RedrawWindow(host.Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const Capture shot(host.Handle());
    const COLORREF background = ::GetSysColor(COLOR_WINDOW);
    for (const int id : {IDC_ABOUT_NAME, IDC_ABOUT_VERSION, IDC_ABOUT_COPYRIGHT, IDC_ABOUT_FONT}) {
        SCOPED_TRACE(id);
        const RECT box = ChildRect(about.Control(id));
        EXPECT_EQ(shot.At(box.right - 1, box.bottom - 1), background)
            << "the scheme's window colour behind the text";
        int standingOut = 0;
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x)
                standingOut += ContrastRatio(shot.At(x, y), background) >= 4.5;
        }
        EXPECT_GT(standingOut, 20) << "text pixels that a reader can see";
    }
    host.about = nullptr;
}

TEST(GlyphInHighContrast, StandsOutOnTheSchemesTaskbarWhateverItsColourModeSays) {
    ASSERT_TRUE(EnsureGlyphFont());
    // A light taskbar by its colour mode would get a black glyph: on the
    // black scheme's taskbar it would vanish.
    ScopedPersonalizeValue lightTaskbar(L"SystemUsesLightTheme", 1);
    BlackScheme scheme;
    const COLORREF taskbar = ::GetSysColor(COLOR_BTNFACE);
    const std::uint32_t colour = TrayGlyphColour();
    EXPECT_EQ(colour, 0x00FFFFFFu);
    TGlyphList list(L"Glyphter", L"CD", 16, 16);
    list.SetColor(colour);
    for (int index : {0, 1}) {
        int covered = 0;
        for (std::uint32_t p : list.Pixels(index)) {
            const std::uint32_t alpha = p >> 24;
            if (alpha < 128)
                continue;
            ++covered;
            // Straight alpha over the taskbar's colour, as the shell draws it.
            const auto blend = [&](int shift, int channelShift) {
                const std::uint32_t over = (p >> shift) & 0xFF;
                const std::uint32_t under = (taskbar >> channelShift) & 0xFF;
                return (over * alpha + under * (255 - alpha)) / 255;
            };
            const COLORREF shown = RGB(blend(16, 0), blend(8, 8), blend(0, 16));
            EXPECT_GE(ContrastRatio(shown, taskbar), 3.0) << "glyph " << index;
        }
        EXPECT_GT(covered, 20) << "glyph " << index;
    }
}

} // namespace
} // namespace staywick::test
