// The dark look drawn by the program: owner-drawn tray menu items (dark
// background, light text, check marks, bold default item, submenu arrows,
// access keys), dark dialog colours and self-painted buttons that keep their
// behaviour, and dark title bars where the system has them; the standard look
// leaves everything to the system.
#include "tray/win32/main_tray_menu.h"
#include "tray_menu_support.h"
#include "ui/dpi.h"
#include "ui/styled_menu.h"
#include "ui/visual_style.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace staywick {
namespace {

using test::MenuType;

constexpr COLORREF kDarkWindow = RGB(0x2B, 0x2B, 0x2B);

class StyleTest : public ::testing::Test {
protected:
    void SetUp() override {
        VisualStyle::Select(StyleKind::Dark);
        ASSERT_FALSE(VisualStyle::IsHighContrast());
    }
    void TearDown() override { VisualStyle::Select(StyleKind::Standard); }
};

// A 32-bit drawing surface whose pixels can be read.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = ::CreateCompatibleDC(nullptr);
        bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = ::SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        ::SelectObject(dc_, old_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const {
        ::GdiFlush();
        const std::uint32_t p = static_cast<const std::uint32_t*>(bits_)[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Pixels in a rectangle brighter than the dark palette's text threshold.
    int LightPixels(int left, int top, int right, int bottom) const {
        int n = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x)
                n += GetGValue(At(x, y)) > 0xA0;
        }
        return n;
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    void* bits_ = nullptr;
};

// Each item is drawn as the system does it: into a DC with no clipping left
// from an earlier item (a submenu item keeps the system's arrow off its own).
DRAWITEMSTRUCT ItemAt(const Canvas& canvas, const RECT& rc, UINT state = 0) {
    ::SelectClipRgn(canvas.Dc(), nullptr);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.hDC = canvas.Dc();
    dis.rcItem = rc;
    dis.itemState = state;
    return dis;
}

TEST_F(StyleTest, DarkLookOwnerDrawsEveryItemAndKeepsCaptionsWithoutAccessMarks) {
    TMainTrayMenu menu;
    HMENU handle = menu.Handle();
    HMENU sub = ::GetSubMenu(handle, 2);
    menu.ApplyLook(true);
    for (UINT i = 0; i < 9; ++i)
        EXPECT_TRUE(MenuType(handle, i) & MFT_OWNERDRAW) << i;
    EXPECT_TRUE(MenuType(sub, 5) & MFT_OWNERDRAW);
    EXPECT_TRUE(MenuType(handle, 1) & MFT_SEPARATOR);
    // The system sees no access key of its own, so every key reaches WM_MENUCHAR.
    wchar_t text[64] = {};
    ::GetMenuStringW(handle, 8, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Exit");
    menu.SetStatus(true, L"&Staywick is active (2 hours)");
    ::GetMenuStringW(handle, 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Staywick is active (2 hours)");
    EXPECT_TRUE(MenuType(handle, 0) & MFT_OWNERDRAW);
    EXPECT_EQ(menu.MnuActive().Caption(), L"&Staywick is active (2 hours)");
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_BACKGROUND;
    ::GetMenuInfo(sub, &info);
    EXPECT_EQ(info.hbrBack, VisualStyle::WindowBrush());

    menu.ApplyLook(false);
    for (UINT i = 0; i < 9; ++i)
        EXPECT_FALSE(MenuType(handle, i) & MFT_OWNERDRAW) << i;
    EXPECT_TRUE(MenuType(handle, 1) & MFT_SEPARATOR);
    ::GetMenuStringW(handle, 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Staywick is active (2 hours)");
    ::GetMenuStringW(handle, 8, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"E&xit");
}

TEST(AccessKeyOf, FindsTheMarkedLetter) {
    EXPECT_EQ(AccessKeyOf(L"E&xit"), L'X');
    EXPECT_EQ(AccessKeyOf(L"Save && &go"), L'G');
    EXPECT_EQ(AccessKeyOf(L"5 Minutes"), 0);
    EXPECT_EQ(AccessKeyOf(L"Fish && chips"), 0);
}

// WM_MENUCHAR of the dark menu with the highlight on a given item: a key of
// one item chooses it; "&Activate for" (2) and "&About..." (6) share A, so A
// moves the highlight to the next of them, wrapping round.
struct MenuCharCase {
    const char* name;
    wchar_t key;
    int highlighted; // -1: none
    LRESULT answer;
};

class DarkMenuChar : public StyleTest, public ::testing::WithParamInterface<MenuCharCase> {};

TEST_P(DarkMenuChar, AnswersAsStandardMenusDo) {
    const MenuCharCase& c = GetParam();
    TMainTrayMenu menu;
    HMENU handle = menu.Handle();
    menu.ApplyLook(true);
    if (c.highlighted >= 0) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE;
        info.fState = MFS_HILITE;
        ::SetMenuItemInfoW(handle, static_cast<UINT>(c.highlighted), TRUE, &info);
    }
    const LRESULT answer =
        ::SendMessageW(TRCPopupList::Instance().Window(), WM_MENUCHAR, MAKEWPARAM(c.key, MF_POPUP),
                       reinterpret_cast<LPARAM>(handle));
    EXPECT_EQ(HIWORD(answer), HIWORD(c.answer));
    EXPECT_EQ(LOWORD(answer), LOWORD(c.answer));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DarkMenuChar,
    ::testing::Values(MenuCharCase{.name = "OwnKeyChooses",
                                   .key = L'x',
                                   .highlighted = -1,
                                   .answer = MAKELRESULT(8, MNC_EXECUTE)},
                      MenuCharCase{.name = "OwnKeyChoosesWhateverIsHighlighted",
                                   .key = L'D',
                                   .highlighted = 6,
                                   .answer = MAKELRESULT(5, MNC_EXECUTE)},
                      MenuCharCase{.name = "SharedKeyFirstPress",
                                   .key = L'a',
                                   .highlighted = -1,
                                   .answer = MAKELRESULT(2, MNC_SELECT)},
                      MenuCharCase{.name = "SharedKeyFromStatus",
                                   .key = L'A',
                                   .highlighted = 0,
                                   .answer = MAKELRESULT(2, MNC_SELECT)},
                      MenuCharCase{.name = "SharedKeySecondPress",
                                   .key = L'a',
                                   .highlighted = 2,
                                   .answer = MAKELRESULT(6, MNC_SELECT)},
                      MenuCharCase{.name = "SharedKeyBetweenThem",
                                   .key = L'a',
                                   .highlighted = 4,
                                   .answer = MAKELRESULT(6, MNC_SELECT)},
                      MenuCharCase{.name = "SharedKeyWrapsRound",
                                   .key = L'a',
                                   .highlighted = 6,
                                   .answer = MAKELRESULT(2, MNC_SELECT)},
                      MenuCharCase{.name = "SharedKeyWrapsFromExit",
                                   .key = L'a',
                                   .highlighted = 8,
                                   .answer = MAKELRESULT(2, MNC_SELECT)},
                      MenuCharCase{
                          .name = "NoItemsKey", .key = L'q', .highlighted = -1, .answer = 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StyleTest, SubmenuKeysAreResolvedInTheSubmenu) {
    TMainTrayMenu menu;
    HMENU handle = menu.Handle();
    menu.ApplyLook(true);
    const LRESULT answer =
        ::SendMessageW(TRCPopupList::Instance().Window(), WM_MENUCHAR, MAKEWPARAM(L'i', MF_POPUP),
                       reinterpret_cast<LPARAM>(::GetSubMenu(handle, 2)));
    EXPECT_EQ(answer, MAKELRESULT(0, MNC_EXECUTE));
}

TEST_F(StyleTest, ItemsAreLightOnDarkWithMarksArrowsAndBoldDefault) {
    TMainTrayMenu menu;
    menu.Handle();
    Canvas canvas(300, 30);
    const RECT rc{0, 0, 300, 30};
    const int column = SystemMetricForDpi(SM_CXMENUCHECK, 96) + 8;

    // "&Activate for": dark background, light text, an arrow on the right, no mark.
    DrawStyledMenuItem(ItemAt(canvas, rc), menu.MnuOptions().Look(), 96);
    EXPECT_EQ(canvas.At(1, 1), kDarkWindow);
    EXPECT_GT(canvas.LightPixels(column, 0, 200, 30), 20);
    EXPECT_GT(canvas.LightPixels(300 - column, 0, 300, 30), 4);
    EXPECT_EQ(canvas.LightPixels(0, 0, column, 30), 0);
    // Whatever the system draws afterwards (its own arrow) misses ours.
    ::FillRect(canvas.Dc(), &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(canvas.LightPixels(column, 0, 200, 30), 0);
    EXPECT_GT(canvas.LightPixels(300 - column, 0, 300, 30), 4);

    // A checked entry carries its mark in the left column; no arrow.
    TMenuItem& thirty = menu.ActivateForItem(5);
    thirty.SetChecked(true);
    DrawStyledMenuItem(ItemAt(canvas, rc), thirty.Look(), 96);
    EXPECT_GT(canvas.LightPixels(0, 0, column, 30), 4);
    EXPECT_EQ(canvas.LightPixels(300 - column, 0, 300, 30), 0);

    // The selected item is highlighted, the separator is a thin line.
    DrawStyledMenuItem(ItemAt(canvas, rc, ODS_SELECTED), thirty.Look(), 96);
    EXPECT_NE(canvas.At(1, 1), kDarkWindow);
    DrawStyledMenuItem(ItemAt(canvas, rc), menu.Items()[1].Look(), 96);
    EXPECT_EQ(canvas.At(150, 2), kDarkWindow);
    EXPECT_NE(canvas.At(150, 15), kDarkWindow);

    // The default item is bold: wider than the same caption in regular weight.
    TMenuItem regular(L"x", menu.MnuActive().Caption());
    MEASUREITEMSTRUCT bold{}, plain{};
    MeasureStyledMenuItem(bold, menu.MnuActive().Look(), 96);
    MeasureStyledMenuItem(plain, regular.Look(), 96);
    EXPECT_GT(bold.itemWidth, plain.itemWidth);
    EXPECT_GE(bold.itemHeight, static_cast<UINT>(SystemMetricForDpi(SM_CYMENUSIZE, 96)));
}

// Sizes follow the DPI of the monitor the menu opens on, not the system's.
TEST_F(StyleTest, ItemsAreMeasuredAtTheDpiOfTheirMonitor) {
    TMainTrayMenu menu;
    menu.Handle();
    MEASUREITEMSTRUCT item96{}, item192{}, line96{}, line192{};
    MeasureStyledMenuItem(item96, menu.MnuOptions().Look(), 96);
    MeasureStyledMenuItem(item192, menu.MnuOptions().Look(), 192);
    MeasureStyledMenuItem(line96, menu.Items()[1].Look(), 96);
    MeasureStyledMenuItem(line192, menu.Items()[1].Look(), 192);
    EXPECT_GT(item192.itemHeight, item96.itemHeight * 3 / 2);
    EXPECT_GT(item192.itemWidth, item96.itemWidth * 3 / 2);
    EXPECT_GT(line192.itemHeight, line96.itemHeight * 3 / 2);
    EXPECT_GE(item192.itemHeight, static_cast<UINT>(SystemMetricForDpi(SM_CYMENUSIZE, 192)));

    // An open menu is measured at its monitor's DPI (Wine has one monitor).
    test::MenuDriver driver([&](int, HWND open) { return open == nullptr; });
    ::SetForegroundWindow(TRCPopupList::Instance().Window());
    menu.Popup(200, 200);
    EXPECT_TRUE(driver.SawMenu());
    EXPECT_EQ(TRCPopupList::Instance().MenuDpi(), DpiAtPoint(POINT{200, 200}));
    EXPECT_EQ(DpiAtPoint(POINT{200, 200}), SystemDpi());
}

TEST_F(StyleTest, OpenTrayMenuShowsDarkOnScreen) {
    TMainTrayMenu menu;
    COLORREF background = CLR_INVALID, standard = CLR_INVALID;
    test::MenuDriver driver([&](int, HWND open) {
        if (!open)
            return true;
        RECT item{};
        ::GetMenuItemRect(nullptr, menu.Handle(), 3, &item);
        HDC screen = ::GetDC(nullptr);
        background = ::GetPixel(screen, item.right - 4, item.top + 2);
        ::ReleaseDC(nullptr, screen);
        return false;
    });
    ::SetForegroundWindow(TRCPopupList::Instance().Window());
    menu.Popup(200, 200);
    EXPECT_TRUE(driver.SawMenu());
    EXPECT_EQ(background, kDarkWindow);

    VisualStyle::Select(StyleKind::Standard);
    test::MenuDriver light([&](int, HWND open) {
        if (!open)
            return true;
        RECT item{};
        ::GetMenuItemRect(nullptr, menu.Handle(), 3, &item);
        HDC screen = ::GetDC(nullptr);
        standard = ::GetPixel(screen, item.right - 4, item.top + 2);
        ::ReleaseDC(nullptr, screen);
        return false;
    });
    menu.Popup(200, 200);
    EXPECT_FALSE(menu.DarkLook());
    EXPECT_EQ(standard, ::GetSysColor(COLOR_MENU));
}

TEST_F(StyleTest, HighContrastAlwaysGetsTheStandardLook) {
    TMainTrayMenu menu;
    VisualStyle::SetHighContrastReader([] { return true; });
    EXPECT_EQ(VisualStyle::Selected(), StyleKind::Dark);
    EXPECT_FALSE(VisualStyle::IsDark());
    EXPECT_EQ(VisualStyle::Colors().window, ::GetSysColor(COLOR_MENU));
    LRESULT result = 0;
    EXPECT_FALSE(VisualStyle::HandleWindowMessage(nullptr, WM_CTLCOLORDLG, 0, 0, result));
    bool darkWhileOpen = true;
    test::MenuDriver driver([&](int, HWND open) {
        if (!open)
            return true;
        darkWhileOpen = menu.DarkLook();
        return false;
    });
    menu.Popup(200, 200);
    VisualStyle::SetHighContrastReader(nullptr);
    EXPECT_TRUE(driver.SawMenu());
    EXPECT_FALSE(darkWhileOpen);
    EXPECT_FALSE(MenuType(menu.Handle(), 0) & MFT_OWNERDRAW);
}

TEST_F(StyleTest, DialogColoursAndButtonsFollowTheLook) {
    HWND dialog = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                    nullptr, nullptr);
    HWND check =
        ::CreateWindowExW(0, L"BUTTON", L"&Notify", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 10,
                          150, 24, dialog, nullptr, nullptr, nullptr);
    VisualStyle::AttachWindow(dialog);
    Canvas canvas(150, 24);

    LRESULT result = 0;
    ASSERT_TRUE(VisualStyle::HandleWindowMessage(dialog, WM_CTLCOLORSTATIC,
                                                 reinterpret_cast<WPARAM>(canvas.Dc()), 0, result));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(result), VisualStyle::WindowBrush());
    EXPECT_EQ(::GetTextColor(canvas.Dc()), VisualStyle::Colors().text);
    EXPECT_FALSE(VisualStyle::HandleWindowMessage(dialog, WM_PAINT, 0, 0, result));

    // The check box paints dark and still checks itself when clicked.
    ::SendMessageW(check, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    EXPECT_EQ(canvas.At(149, 1), kDarkWindow);
    const int unchecked = canvas.LightPixels(0, 0, 20, 24);
    ::SendMessageW(check, BM_CLICK, 0, 0);
    EXPECT_EQ(::SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    ::SendMessageW(check, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    EXPECT_GT(canvas.LightPixels(0, 0, 20, 24), unchecked);

    // The standard look leaves it all to the system.
    VisualStyle::Select(StyleKind::Standard);
    EXPECT_FALSE(VisualStyle::HandleWindowMessage(
        dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.Dc()), 0, result));
    ::SendMessageW(check, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    EXPECT_NE(canvas.At(149, 1), kDarkWindow);
    VisualStyle::DetachWindow(dialog);
    ::DestroyWindow(dialog);
}

// A stand-in for DwmSetWindowAttribute that takes only some attributes.
struct FrameCall {
    DWORD attribute;
    BOOL value;
};
std::vector<FrameCall> frameCalls;
std::vector<DWORD> frameTaken;
HRESULT WINAPI RecordFrameAttribute(HWND, DWORD attribute, LPCVOID value, DWORD size) {
    frameCalls.push_back({attribute, size == sizeof(BOOL) ? *static_cast<const BOOL*>(value) : -1});
    for (const DWORD taken : frameTaken) {
        if (taken == attribute)
            return S_OK;
    }
    return E_INVALIDARG;
}

struct TitleBarCase {
    const char* name = "";
    std::vector<DWORD> taken; // the attributes the system knows
    DWORD expect = 0;         // the attribute that sets the title bar
    std::vector<DWORD> tried;
};

class DarkTitleBar : public ::testing::TestWithParam<TitleBarCase> {};

TEST_P(DarkTitleBar, TwentyFirstThenNineteenWhereTwentyIsRefused) {
    const TitleBarCase& row = GetParam();
    frameTaken = row.taken;
    for (const bool dark : {true, false}) {
        frameCalls.clear();
        EXPECT_EQ(SetDarkTitleBar(nullptr, dark, &RecordFrameAttribute), row.expect);
        std::vector<DWORD> tried;
        for (const FrameCall& call : frameCalls) {
            tried.push_back(call.attribute);
            EXPECT_EQ(call.value, dark ? TRUE : FALSE);
        }
        EXPECT_EQ(tried, row.tried);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Systems, DarkTitleBar,
    ::testing::Values(
        TitleBarCase{
            .name = "Windows10_20H1AndLater", .taken = {19, 20}, .expect = 20, .tried = {20}},
        TitleBarCase{
            .name = "Windows10_1809To1909", .taken = {19}, .expect = 19, .tried = {20, 19}},
        TitleBarCase{.name = "OlderSystems", .taken = {}, .expect = 0, .tried = {20, 19}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace staywick
