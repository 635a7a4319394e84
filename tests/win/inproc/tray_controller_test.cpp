// The tray as the keep-awake controller drives it: the real controller, the
// real menu, icon and glyphs, built and connected by the program's own wiring.
#include "app/program_parts.h"
#include "tray_font_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace staywick {
namespace {

struct IdleTimer : TimerPort {
    bool Start(std::uint32_t) override { return true; }
    void Stop() override {}
    void SetOnFire(std::function<void()>) override {}
};

struct QuietInput : InputPower {
    std::uint32_t GetIdleMilliseconds() override { return 0; }
    void SimulateKeyPress(std::int32_t) override {}
    void RequestAwakeState() override {}
    void ReleaseAwakeState() override {}
    void ForceForegroundOnDesktop() override {}
    void Sleep(std::uint32_t) override {}
    void ProcessMessages() override {}
};

struct NoDiagnostics : TickDiagnostics {
    bool LogEnabled() const override { return false; }
    void AppendLog(const std::wstring&) override {}
    void DebugWrite(const std::wstring&) override {}
};

std::vector<NOTIFYICONDATAW> records;
BOOL WINAPI RecordShell(DWORD, PNOTIFYICONDATAW data) {
    records.push_back(*data);
    return TRUE;
}

// The colour pixels of an icon, to tell the two glyphs apart.
std::vector<std::uint32_t> IconPixels(HICON icon) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return {};
    BITMAP bm{};
    ::GetObjectW(info.hbmColor, sizeof(bm), &bm);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(bm.bmWidth * bm.bmHeight));
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::GetDIBits(dc, info.hbmColor, 0, static_cast<UINT>(bm.bmHeight), pixels.data(), &bi,
                DIB_RGB_COLORS);
    ::DeleteDC(dc);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return pixels;
}

class TrayWithController : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fontReady);
        records.clear();
        options.Active = false;
        options.AutoStopped = false;
        parts = BuildProgramParts(options,
                                  ProgramPorts{.applicationWindow = nullptr,
                                               .windowDpi = 96,
                                               .input = input,
                                               .diagnostics = diagnostics,
                                               .timers = {mainTimer, countDownTimer, debugTimer},
                                               .saveOptions = [this] { ++saves; },
                                               .processMessages = {},
                                               .shell = &RecordShell});
        controller = &parts->Controller;
        parts->Tray.SetVisible(true);
    }

    std::vector<UINT> CheckedDurations() {
        std::vector<UINT> checked;
        HMENU sub = ::GetSubMenu(menu().Handle(), 2);
        for (UINT i = 0; i < 13; ++i) {
            if (::GetMenuState(sub, i, MF_BYPOSITION) & MF_CHECKED)
                checked.push_back(i);
        }
        return checked;
    }
    std::wstring StatusText() {
        wchar_t buf[128] = {};
        ::GetMenuStringW(menu().Handle(), 0, buf, 128, MF_BYPOSITION);
        return buf;
    }
    bool StatusChecked() { return ::GetMenuState(menu().Handle(), 0, MF_BYPOSITION) & MF_CHECKED; }

    // Registered before the glyph list below draws, as the program must do it.
    bool fontReady = test::EnsureGlyphFont();
    TStaywickOptions options;
    int saves = 0;
    IdleTimer mainTimer, countDownTimer, debugTimer;
    QuietInput input;
    NoDiagnostics diagnostics;
    std::unique_ptr<ProgramParts> parts;
    KeepAwakeController* controller = nullptr;
    TMainTrayMenu& menu() { return parts->MainTrayMenu; }
    TTrayIcon& tray() { return parts->Tray; }
    TGlyphList& icons() { return parts->TrayIcons; }
};

TEST_F(TrayWithController, LoadingMarksTheStoredDurationAndTheStatusFollows) {
    controller->SelectItemActivateForStatus(30);
    EXPECT_EQ(CheckedDurations(), std::vector<UINT>{5});
    controller->UpdateActiveStatus();
    EXPECT_EQ(StatusText(), L"&Staywick is disabled");
    EXPECT_FALSE(StatusChecked());
    EXPECT_STREQ(records.back().szTip, L"&Staywick is disabled");
    EXPECT_NE(records.back().hIcon, nullptr);
}

TEST_F(TrayWithController, ChoosingADurationLeavesOnlyItCheckedAndShowsItEverywhere) {
    controller->SelectItemActivateForStatus(0);
    EXPECT_EQ(CheckedDurations(), (std::vector<UINT>{0, 1})); // "&Indefinitely" and its separator
    ::SendMessageW(TRCPopupList::Instance().Window(), WM_COMMAND,
                   menu().ActivateForItem(7).Command(),
                   0); // "2 Hours"
    EXPECT_EQ(CheckedDurations(), std::vector<UINT>{7});
    EXPECT_TRUE(options.Active);
    EXPECT_EQ(options.ActivateFor, 120);
    EXPECT_TRUE(StatusChecked());
    EXPECT_EQ(StatusText(), L"&Staywick is active (2 hours)");
    EXPECT_STREQ(records.back().szTip, L"&Staywick is active (2 hours)");
    EXPECT_EQ(saves, 1);
    const std::vector<std::uint32_t> activeGlyph = IconPixels(tray().Icon());
    EXPECT_EQ(activeGlyph, icons().Pixels(1)); // the struck-through "D"

    // A middle double-click on the icon switches it off once.
    ::SendMessageW(tray().NotificationWindow(), kTrayCallbackMessage, 0, WM_MBUTTONDBLCLK);
    EXPECT_FALSE(options.Active);
    EXPECT_FALSE(StatusChecked());
    EXPECT_STREQ(records.back().szTip, L"&Staywick is disabled");
    EXPECT_EQ(records.back().hIcon, tray().Icon());
    EXPECT_EQ(IconPixels(tray().Icon()), icons().Pixels(0)); // back to the plain "C"
    EXPECT_NE(IconPixels(tray().Icon()), activeGlyph);
    EXPECT_EQ(CheckedDurations(), std::vector<UINT>{7}); // the duration stays chosen
}

} // namespace
} // namespace staywick
