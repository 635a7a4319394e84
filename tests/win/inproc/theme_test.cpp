// The colour modes read from the registry (values 0, 1, text, missing) and
// what they make of the tray glyph and the program's style; the DPI change.
#include "common/win32/theme.h"
#include "stub_ports.h"
#include "tray/win32/main_tray_menu.h"
#include "tray/win32/tray_appearance.h"
#include "tray_font_support.h"
#include "ui/timer_port_win32.h"
#include "ui/visual_style.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace staywick {
namespace {

using test::ManualTimer;

constexpr wchar_t kKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// Sets one value of the Personalize key for a test and puts the old one back.
class PersonalizeValue {
public:
    explicit PersonalizeValue(const wchar_t* name) : name_(name) {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                          nullptr);
        DWORD size = sizeof(buffer_);
        if (::RegQueryValueExW(key_, name_, nullptr, &type_, buffer_, &size) == ERROR_SUCCESS) {
            size_ = size;
        }
    }
    ~PersonalizeValue() {
        if (size_) {
            ::RegSetValueExW(key_, name_, 0, type_, buffer_, *size_);
        } else {
            ::RegDeleteValueW(key_, name_);
        }
        ::RegCloseKey(key_);
    }
    void SetDword(DWORD value) {
        ::RegSetValueExW(key_, name_, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                         sizeof(value));
    }
    void SetText(const std::wstring& text) {
        ::RegSetValueExW(key_, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    void Remove() { ::RegDeleteValueW(key_, name_); }

private:
    const wchar_t* name_;
    HKEY key_ = nullptr;
    DWORD type_ = 0;
    BYTE buffer_[512] = {};
    std::optional<DWORD> size_;
};

// The colour-mode table is about Windows 10 and later, which is what this
// Wine's kernel32 version resource reports (its OS version says 6.1).
TEST(Theme, KernelVersionResourceSaysWindowsTen) {
    ASSERT_TRUE(IsWindows10OrLater());
}

enum class Stored { Zero, One, Text, Missing };

struct ModeCase {
    Stored stored;
    bool dark;
};

class ColourModeFromRegistry : public ::testing::TestWithParam<ModeCase> {
protected:
    static void Store(PersonalizeValue& value, Stored stored) {
        switch (stored) {
        case Stored::Zero:
            value.SetDword(0);
            break;
        case Stored::One:
            value.SetDword(1);
            break;
        case Stored::Text:
            value.SetText(L"0");
            break;
        case Stored::Missing:
            value.Remove();
            break;
        }
    }
    void SetUp() override { ASSERT_TRUE(test::EnsureGlyphFont()); }
    // The style is the process's: the next test starts from the standard one.
    void TearDown() override { VisualStyle::Select(StyleKind::Standard); }
    static BOOL WINAPI CountShell(DWORD, PNOTIFYICONDATAW) {
        ++calls;
        return TRUE;
    }
    static int calls;
};
int ColourModeFromRegistry::calls = 0;

TEST_P(ColourModeFromRegistry, TaskbarValueSetsTheGlyphColour) {
    PersonalizeValue taskbar(L"SystemUsesLightTheme");
    PersonalizeValue apps(L"AppsUseLightTheme");
    apps.SetDword(1); // the other value must not matter
    Store(taskbar, GetParam().stored);
    EXPECT_EQ(IsDarkTheme(true), GetParam().dark);
    EXPECT_EQ(GetTrayModeColor(), GetParam().dark ? 1 : 2);

    TGlyphList icons(L"Glyphter", L"CD", 20, 20);
    icons.SetColor(RGB(12, 34, 56));
    TTrayIcon tray(nullptr, &CountShell);
    tray.SetVisible(true);
    ManualTimer timer;
    TTrayAppearance appearance(icons, tray, nullptr, 120, timer);
    const int before = calls;
    appearance.UpdateTrayIcon(1);
    EXPECT_EQ(icons.Color(), GetParam().dark ? RGB(255, 255, 255) : RGB(0, 0, 0));
    EXPECT_EQ(calls, before + 1); // the icon is always handed to the shell
}

TEST_P(ColourModeFromRegistry, AppsValueSetsTheStyle) {
    PersonalizeValue taskbar(L"SystemUsesLightTheme");
    PersonalizeValue apps(L"AppsUseLightTheme");
    taskbar.SetDword(GetParam().dark ? 1 : 0); // opposite of the apps' mode
    Store(apps, GetParam().stored);
    EXPECT_EQ(IsDarkTheme(false), GetParam().dark);
    EXPECT_EQ(GetMenuModeColor(), GetParam().dark ? 1 : 2);

    TGlyphList icons(L"Glyphter", L"CD", 20, 20);
    TTrayIcon tray(nullptr, &CountShell);
    TMainTrayMenu menu;
    ManualTimer timer;
    TTrayAppearance appearance(icons, tray, &menu, 120, timer);
    appearance.SetVisualStyle();
    EXPECT_EQ(VisualStyle::Selected(), GetParam().dark ? StyleKind::Dark : StyleKind::Standard);
    EXPECT_STREQ(VisualStyle::SelectedName(), GetParam().dark ? L"Windows10 Dark" : L"Windows");
    EXPECT_EQ(menu.DarkLook(), GetParam().dark && !VisualStyle::IsHighContrast());
}

INSTANTIATE_TEST_SUITE_P(Values, ColourModeFromRegistry,
                         ::testing::Values(ModeCase{.stored = Stored::Zero, .dark = true},
                                           ModeCase{.stored = Stored::One, .dark = false},
                                           ModeCase{.stored = Stored::Text, .dark = true},
                                           ModeCase{.stored = Stored::Missing, .dark = true}));

// Moves the whole Personalize key aside for a test (a copy under a key of
// the test's own) and puts it back, values and all, afterwards.
class PersonalizeKeyAside {
public:
    PersonalizeKeyAside() {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kAside);
        HKEY source = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &source) == ERROR_SUCCESS) {
            HKEY aside = nullptr;
            ::RegCreateKeyExW(HKEY_CURRENT_USER, kAside, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &aside, nullptr);
            saved_ = aside && ::RegCopyTreeW(source, nullptr, aside) == ERROR_SUCCESS;
            if (aside)
                ::RegCloseKey(aside);
            ::RegCloseKey(source);
            if (saved_)
                ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
        }
    }
    ~PersonalizeKeyAside() {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
        if (!saved_)
            return;
        HKEY aside = nullptr, key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, kAside, 0, KEY_READ, &aside) == ERROR_SUCCESS) {
            if (::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr) == ERROR_SUCCESS) {
                ::RegCopyTreeW(aside, nullptr, key);
                ::RegCloseKey(key);
            }
            ::RegCloseKey(aside);
        }
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kAside);
    }
    PersonalizeKeyAside(const PersonalizeKeyAside&) = delete;
    PersonalizeKeyAside& operator=(const PersonalizeKeyAside&) = delete;

private:
    static constexpr wchar_t kAside[] = L"Software\\Staywick tests, Personalize aside";
    bool saved_ = false;
};

bool PersonalizeKeyExists() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

TEST(Theme, MissingKeyIsCreatedAndCountsAsDark) {
    PersonalizeKeyAside aside;
    ASSERT_FALSE(PersonalizeKeyExists()) << "the key could not be moved aside";
    EXPECT_TRUE(IsDarkTheme(true));
    EXPECT_TRUE(PersonalizeKeyExists()) << "created as the shell would";
    EXPECT_TRUE(IsDarkTheme(false));
}

TEST(TrayAppearance, DpiChangeRescalesStylesThenRedrawsWhenTheOneShotTimerFires) {
    ASSERT_TRUE(test::EnsureGlyphFont());
    PersonalizeValue taskbar(L"SystemUsesLightTheme");
    taskbar.SetDword(1); // light taskbar: black glyph
    TGlyphList icons(L"Glyphter", L"CD", 20, 20);
    TTrayIcon tray(nullptr, [](DWORD, PNOTIFYICONDATAW) -> BOOL { return TRUE; });
    ManualTimer timer;
    TTrayAppearance appearance(icons, tray, nullptr, 96, timer);
    EXPECT_EQ(icons.Width(), 16); // from 120 to the window's 96 at once
    appearance.UpdateTrayIcon(0);

    auto iconSize = [&tray] {
        ICONINFO info{};
        if (!::GetIconInfo(tray.Icon(), &info))
            return 0L;
        BITMAP bm{};
        ::GetObjectW(info.hbmColor, sizeof(bm), &bm);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        return bm.bmWidth;
    };
    EXPECT_EQ(iconSize(), 16);

    HWND wnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
    std::int32_t glyph = 0;
    RECT suggested{10, 20, 210, 220};
    appearance.DpiChanged(wnd, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested),
                          [&glyph] { return glyph; });
    // DpiChanged returned at once: the wait is a 5000 ms timer, not a block.
    EXPECT_EQ(timer.starts, std::vector<std::uint32_t>{5000});
    EXPECT_TRUE(timer.armed);
    EXPECT_TRUE(appearance.RedrawPending());
    EXPECT_EQ(iconSize(), 16); // the old icon until the wait is over
    EXPECT_EQ(icons.Width(), 32);
    EXPECT_EQ(appearance.Dpi(), 192);
    RECT rc{};
    ::GetWindowRect(wnd, &rc);
    EXPECT_EQ(rc.left, 10);
    EXPECT_EQ(rc.right, 210);

    // The status changes during the wait: the redraw shows the glyph of that moment.
    glyph = 1;
    timer.Expire();
    EXPECT_EQ(iconSize(), 32);
    EXPECT_EQ(icons.Color(), RGB(0, 0, 0));
    EXPECT_FALSE(timer.armed) << "one shot";
    EXPECT_FALSE(appearance.RedrawPending());
    const HICON drawn = tray.Icon();
    timer.Expire(); // a stopped timer fires no second redraw
    EXPECT_EQ(tray.Icon(), drawn);

    // Two changes within the wait: one redraw, 5 s after the last.
    appearance.DpiChanged(wnd, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested),
                          [] { return 0; });
    appearance.DpiChanged(wnd, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested),
                          [] { return 0; });
    EXPECT_EQ(timer.starts, (std::vector<std::uint32_t>{5000, 5000, 5000}));
    EXPECT_EQ(iconSize(), 32);
    timer.Expire();
    EXPECT_EQ(iconSize(), 24);
    ::DestroyWindow(wnd);
}

TEST(TrayAppearance, TheRealTimerRedrawsWithoutBlocking) {
    // The window timer of the program, shortened: DpiChanged returns at once
    // and the redraw arrives through the message loop.
    ASSERT_TRUE(test::EnsureGlyphFont());
    TGlyphList icons(L"Glyphter", L"CD", 20, 20);
    TTrayIcon tray(nullptr, [](DWORD, PNOTIFYICONDATAW) -> BOOL { return TRUE; });
    struct ShortTimer : TimerPort {
        bool Start(std::uint32_t) override { return port.Start(10); }
        void Stop() override { port.Stop(); }
        void SetOnFire(std::function<void()> fire) override { port.SetOnFire(std::move(fire)); }
        TimerPortWin32 port;
    } timer;
    TTrayAppearance appearance(icons, tray, nullptr, 96, timer);
    HWND wnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
    appearance.DpiChanged(wnd, MAKEWPARAM(192, 192), 0, [] { return 1; });
    EXPECT_TRUE(appearance.RedrawPending());
    const DWORD deadline = ::GetTickCount() + 5000;
    MSG msg;
    while (appearance.RedrawPending() && ::GetTickCount() < deadline) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }
    EXPECT_FALSE(appearance.RedrawPending());
    EXPECT_NE(tray.Icon(), nullptr);
    EXPECT_EQ(icons.Width(), 32);
    ::DestroyWindow(wnd);
}

} // namespace
} // namespace staywick
