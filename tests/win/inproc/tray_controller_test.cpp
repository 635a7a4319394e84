// The tray as the keep-awake controller drives it: the real controller, the
// real menu, icon and glyphs, built and connected by the program's own wiring.
#include "app/program_parts.h"
#include "common/scope_exit.h"
#include "engine/policy.h"
#include "stub_ports.h"
#include "tray_font_support.h"
#include "ui/application.h"
#include "ui/visual_style.h"
#include "win/common/tray_driver.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <vector>

namespace staywick {
namespace {

// What the parts asked of the platform and the shell, in order.
std::vector<std::string> events;

struct QuietInput : InputPower {
    std::uint32_t GetIdleMilliseconds() override {
        ++idleReads;
        return 0;
    }
    void SimulateKeyPress(std::int32_t) override {}
    void RequestAwakeState() override { events.push_back("request"); }
    void RequestSystemAwakeState() override { events.push_back("request system"); }
    void ReleaseAwakeState() override { events.push_back("release"); }
    void ForceForegroundOnDesktop() override {}
    void Sleep(std::uint32_t) override {}
    void ProcessMessages() override {}
    int idleReads = 0;
};

struct RecordingPowerRequest : PowerRequest {
    bool Hold(const std::wstring&) override {
        events.push_back("power hold");
        return true;
    }
    bool HoldSystem(const std::wstring&) override {
        events.push_back("power hold system");
        return true;
    }
    void Release() override { events.push_back("power release"); }
};

std::vector<NOTIFYICONDATAW> records;
BOOL WINAPI RecordShell(DWORD message, PNOTIFYICONDATAW data) {
    events.push_back(message == NIM_ADD ? "add" : message == NIM_DELETE ? "delete" : "modify");
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
        events.clear();
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
                                               .shell = &RecordShell,
                                               .endSession = [this] { ++endSessions; }});
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
    int endSessions = 0;
    test::ManualTimer mainTimer, countDownTimer, debugTimer;
    QuietInput input;
    test::NoDiagnostics diagnostics;
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

// FormDestroy's order with and without parts and a power request. Parts that
// could not be created: the requests are released all the same.
struct DestroyCase {
    const char* name;
    bool withParts;
    bool withPower;
    std::vector<std::string> events;
};

class TrayWithControllerDestroy : public TrayWithController,
                                  public ::testing::WithParamInterface<DestroyCase> {};

TEST_P(TrayWithControllerDestroy, ReleasesTheRequestsBeforeTheIconGoes) {
    RecordingPowerRequest power;
    events.clear();
    ReleaseAwakeAndRemoveIcon(input, GetParam().withParts ? parts.get() : nullptr,
                              GetParam().withPower ? &power : nullptr);
    EXPECT_EQ(events, GetParam().events);
}

INSTANTIATE_TEST_SUITE_P(Orders, TrayWithControllerDestroy,
                         ::testing::Values(DestroyCase{.name = "Parts",
                                                       .withParts = true,
                                                       .withPower = false,
                                                       .events = {"release", "delete"}},
                                           DestroyCase{.name = "NoParts",
                                                       .withParts = false,
                                                       .withPower = false,
                                                       .events = {"release"}},
                                           DestroyCase{
                                               .name = "PartsAndAPowerRequest",
                                               .withParts = true,
                                               .withPower = true,
                                               .events = {"release", "power release", "delete"}},
                                           DestroyCase{.name = "APowerRequestAndNoParts",
                                                       .withParts = false,
                                                       .withPower = true,
                                                       .events = {"release", "power release"}}),
                         [](const auto& info) { return std::string(info.param.name); });

// The tray's window hears the end of the session like every top-level
// window; it leaves the end to the program (the main window's exit path),
// so the requests go before the icon whichever window is told first.
TEST_F(TrayWithController, TheEndOfTheSessionAtTheTrayEndsTheProgram) {
    HWND wnd = parts->Tray.NotificationWindow();
    events.clear();
    EXPECT_EQ(::SendMessageW(wnd, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP), TRUE);
    ::SendMessageW(wnd, WM_ENDSESSION, FALSE, ENDSESSION_CLOSEAPP); // cancelled
    EXPECT_EQ(endSessions, 0);
    ::SendMessageW(wnd, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    EXPECT_EQ(endSessions, 1);
    EXPECT_TRUE(events.empty()) << "the icon is the exit path's to remove";
    EXPECT_TRUE(parts->Tray.Visible());
}

// A window that records the system commands that reach it.
std::vector<WPARAM> commandsSeen;
LRESULT CALLBACK RecordingProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SYSCOMMAND) {
        commandsSeen.push_back(wParam);
        return 0;
    }
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

TEST_F(TrayWithController, TheRunningLoopSwallowsScreenSaverAndMonitorPowerWhileActive) {
    Application app(L"Staywick");
    app.SetOnMessage(AppMessageHook(*controller));
    WNDCLASSW wc{};
    wc.lpfnWndProc = &RecordingProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"StaywickSysCommandRecorder";
    ::RegisterClassW(&wc);
    HWND wnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    ASSERT_NE(wnd, nullptr);
    options.Active = true;
    controller->UpdateActiveStatus();
    commandsSeen.clear();

    struct Row {
        WPARAM command;
        bool swallowed;
    };
    for (const Row& row : {Row{SC_SCREENSAVE, true}, Row{SC_MONITORPOWER, true},
                           Row{SC_SCREENSAVE + 1, false}, Row{SC_MINIMIZE, false}}) {
        SCOPED_TRACE(testing::Message() << std::hex << row.command);
        commandsSeen.clear();
        const int readsBefore = input.idleReads;
        ::PostMessageW(wnd, WM_SYSCOMMAND, row.command, 0);
        app.ProcessMessages();
        EXPECT_EQ(commandsSeen.empty(), row.swallowed);
        // A swallowed command runs a tick at once, which reads the idle time.
        EXPECT_EQ(input.idleReads > readsBefore, row.swallowed);
    }
    EXPECT_TRUE(options.Active);
    ::DestroyWindow(wnd);
}

// What the main window runs for WM_SETTINGCHANGE, with that message's lParam.
void SettingChange(ProgramParts& parts, const wchar_t* area) {
    parts.Appearance.WMSettingChange(0, reinterpret_cast<LPARAM>(area),
                                     [&parts] { return parts.Controller.GetTrayIcon(); });
}

TEST_F(TrayWithController, SettingChangeRestylesAtOnceAndAColourSchemeChangeRedrawsTheGlyph) {
    test::ScopedPersonalizeValue lightTaskbar(L"SystemUsesLightTheme", 1);
    test::ScopedPersonalizeValue lightApps(L"AppsUseLightTheme", 1);
    options.Active = true;
    parts->Appearance.SetVisualStyle();
    controller->UpdateActiveStatus();
    EXPECT_EQ(icons().Color(), RGB(0, 0, 0)) << "black glyph on a light taskbar";
    EXPECT_EQ(VisualStyle::Selected(), StyleKind::Standard);
    const std::vector<std::uint32_t> blackGlyph = IconPixels(tray().Icon());

    // An open window of the program, following the look.
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                    nullptr, nullptr);
    VisualStyle::AttachWindow(window);
    // The style is the process's: the next test starts from the standard one,
    // however this one ends.
    const ScopeExit restore([window] {
        VisualStyle::DetachWindow(window);
        ::DestroyWindow(window);
        VisualStyle::Select(StyleKind::Standard);
    });
    LRESULT answer = 0;
    EXPECT_FALSE(VisualStyle::HandleWindowMessage(window, WM_CTLCOLORDLG, 0, 0, answer));
    {
        test::ScopedPersonalizeValue darkTaskbar(L"SystemUsesLightTheme", 0);
        test::ScopedPersonalizeValue darkApps(L"AppsUseLightTheme", 0);
        // Another area of the settings: the style follows, the glyph is left.
        std::size_t shellCalls = records.size();
        SettingChange(*parts, L"Environment");
        EXPECT_EQ(VisualStyle::Selected(), StyleKind::Dark);
        if (VisualStyle::IsDark()) {
            EXPECT_TRUE(parts->MainTrayMenu.DarkLook());
            HDC dc = ::GetDC(window);
            EXPECT_TRUE(VisualStyle::HandleWindowMessage(window, WM_CTLCOLORDLG,
                                                         reinterpret_cast<WPARAM>(dc), 0, answer));
            EXPECT_EQ(reinterpret_cast<HBRUSH>(answer), VisualStyle::WindowBrush());
            ::ReleaseDC(window, dc);
        }
        SettingChange(*parts, nullptr);
        EXPECT_EQ(icons().Color(), RGB(0, 0, 0));
        EXPECT_EQ(records.size(), shellCalls);

        // The colour scheme: the same glyph at once in the taskbar's new colour.
        SettingChange(*parts, L"ImmersiveColorSet");
        EXPECT_EQ(icons().Color(), RGB(255, 255, 255)) << "white glyph on a dark taskbar";
        const std::vector<std::uint32_t> whiteGlyph = IconPixels(tray().Icon());
        EXPECT_NE(whiteGlyph, blackGlyph);
        ASSERT_EQ(records.size(), shellCalls + 1) << "the new glyph is handed to the shell";
        EXPECT_EQ(events.back(), "modify");
        EXPECT_EQ(tray().Hint(), L"&Staywick is active") << "the status stays";

        // Still the glyph of the status: the one a status update draws.
        controller->UpdateActiveStatus();
        EXPECT_EQ(IconPixels(tray().Icon()), whiteGlyph);
    }
    // Back to light, as the system reports it.
    SettingChange(*parts, L"immersivecolorset");
    EXPECT_EQ(icons().Color(), RGB(0, 0, 0));
    EXPECT_EQ(IconPixels(tray().Icon()), blackGlyph);
}

// How many of a menu's items have `key` as their access key (the designed
// menu itself shares "A" between "&Activate for" and "&About...").
int ItemsWithKey(HMENU menu, wchar_t key) {
    int count = 0;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t buf[128] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), buf, 128, MF_BYPOSITION);
        const std::wstring text = buf;
        const auto at = text.find(L'&');
        if (at != std::wstring::npos && at + 1 < text.size() && std::towupper(text[at + 1]) == key)
            ++count;
    }
    return count;
}

StaywickPolicy KeepDisplayOnForbidden() {
    PolicyReading machine{}, user{};
    machine[static_cast<std::size_t>(PolicyId::AllowKeepDisplayOn)] = {
        .kind = RawPolicyValue::Kind::Dword, .dword = 0};
    return StaywickPolicy::Merge(machine, user);
}

// "&Keep the display on" comes last, after "E&xit" and a separator, with a
// key of its own; its check follows the mode, a click switches it, and
// the policy greys it.
TEST_F(TrayWithController, KeepTheDisplayOnComesLastCheckedByTheModeAndGreyedByPolicy) {
    HMENU root = menu().Handle();
    const int count = ::GetMenuItemCount(root);
    ASSERT_EQ(count, 11);
    EXPECT_EQ(menu().Items()[8].Caption(), L"E&xit");
    EXPECT_TRUE(menu().Items()[9].IsSeparator());
    wchar_t last[64] = {};
    ::GetMenuStringW(root, 10, last, 64, MF_BYPOSITION);
    EXPECT_STREQ(last, L"&Keep the display on");
    EXPECT_EQ(ItemsWithKey(root, L'K'), 1);
    const auto state = [root] { return ::GetMenuState(root, 10, MF_BYPOSITION); };

    options.Active = true;
    controller->UpdateActiveStatus();
    EXPECT_TRUE(state() & MF_CHECKED);
    events.clear();
    ::SendMessageW(TRCPopupList::Instance().Window(), WM_COMMAND,
                   menu().MnuKeepDisplayOn().Command(), 0);
    EXPECT_FALSE(options.KeepDisplayOn);
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(state() & MF_CHECKED);
    EXPECT_EQ(events.front(), "request system") << "only the system is held";
    EXPECT_EQ(StatusText(), L"&Staywick is active (display may sleep)");
    EXPECT_TRUE(StatusChecked());

    options.KeepDisplayOn = true;
    controller->PolicyChanged(KeepDisplayOnForbidden());
    EXPECT_TRUE(state() & MF_GRAYED);
    EXPECT_FALSE(state() & MF_CHECKED) << "the policy's mode shows";
    menu().MnuKeepDisplayOn().Click(); // should a click come through all the same
    EXPECT_TRUE(options.KeepDisplayOn);
    EXPECT_EQ(saves, 1);
}

// "&For..." follows "While a program runs..." in the submenu with a key of
// its own, and carries the check mark of a length no item has.
TEST_F(TrayWithController, ForComesAfterWhileAndCarriesTheCheckOfAnOwnLength) {
    HMENU sub = ::GetSubMenu(menu().Handle(), 2);
    ASSERT_EQ(::GetMenuItemCount(sub), 18);
    wchar_t text[64] = {};
    ::GetMenuStringW(sub, 16, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&For...");
    EXPECT_EQ(ItemsWithKey(sub, L'F'), 1);
    controller->ActivateForMinutesClick(45);
    EXPECT_TRUE(::GetMenuState(sub, 16, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(CheckedDurations().empty());
    EXPECT_EQ(StatusText(), L"&Staywick is active (45 minutes)");
    controller->ActivateForMinutesClick(30);
    EXPECT_FALSE(::GetMenuState(sub, 16, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ(CheckedDurations(), std::vector<UINT>{5});
}

} // namespace
} // namespace staywick
