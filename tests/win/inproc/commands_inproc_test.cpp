// Inside one process: WM_COPYDATA reaching the instance's handler, malformed
// data ignored, the line back in full, a refused save answered before it is
// reported; the "Until..." dialog and its place; the global hotkey
// registered, refused by a holder and cleared.
#include "app/command_exchange.h"
#include "app/command_server.h"
#include "common/app_error.h"
#include "common/scope_exit.h"
#include "app/global_hotkey.h"
#include "common/app_names.h"
#include "fakes/keep_awake_rig.h"
#include "resources/resource.h"
#include "tray/win32/until_dialog.h"
#include "ui/error_report.h"
#include "ui/window.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

namespace staywick::test {
namespace {

// A window that hands WM_COPYDATA to the instance's handler, as the main window does.
class CommandWindow : public Window {
public:
    CommandWindow(KeepAwakeController& controller) : controller_(controller) {
        RegisterWindowClass(L"StaywickCommandTest");
        Create(0, L"StaywickCommandTest", L"", WS_POPUP, 0, 0, 0, 0, nullptr);
    }
    ~CommandWindow() override { Destroy(); }
    int exits = 0;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_COPYDATA) {
            return AnswerCommandData(controller_, Handle(), reinterpret_cast<HWND>(wParam),
                                     reinterpret_cast<const COPYDATASTRUCT*>(lParam),
                                     {.beforeCommand = {}, .exit = [this] { ++exits; }});
        }
        return DefaultHandling(msg, wParam, lParam);
    }

private:
    KeepAwakeController& controller_;
};

class CommandDataTest : public ::testing::Test {
protected:
    CommandDataTest() : rig_(fakes::State(false, 0, false)) {
        rig_.Create().UpdateActiveStatus();
        window_ = std::make_unique<CommandWindow>(*rig_.controller);
    }
    LRESULT Send(ULONG_PTR tag, const void* bytes, DWORD size, HWND sender = nullptr) {
        COPYDATASTRUCT data{tag, size, const_cast<void*>(bytes)};
        return ::SendMessageW(window_->Handle(), WM_COPYDATA, reinterpret_cast<WPARAM>(sender),
                              reinterpret_cast<LPARAM>(&data));
    }

    fakes::KeepAwakeRig rig_;
    std::unique_ptr<CommandWindow> window_;
};

TEST_F(CommandDataTest, MalformedDataIsIgnoredAndChangesNothing) {
    const std::wstring on = L"/on";
    const std::wstring bogus = L"/bogus";
    const wchar_t inner[] = L"/on\0/off";
    const char oddBytes[] = {'/', 0, 'o', 0, 'n', 0, 0};
    struct Row {
        const char* name;
        ULONG_PTR tag;
        const void* bytes;
        DWORD size;
    } rows[] = {
        {"wrong tag", kReplyDataTag, on.c_str(), 8},
        {"no terminator", kCommandDataTag, on.c_str(), 6},
        {"odd size", kCommandDataTag, oddBytes, 7},
        {"null inside", kCommandDataTag, inner, sizeof(inner)},
        {"no data", kCommandDataTag, nullptr, 0},
        {"size beyond the limit (never read)", kCommandDataTag, on.c_str(), 1 << 20},
        {"a word that is no command", kCommandDataTag, bogus.c_str(), 14},
        {"no leader", kCommandDataTag, L"on", 6},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Send(row.tag, row.bytes, row.size), 0) << row.name;
    }
    EXPECT_FALSE(rig_.options.Active);
    EXPECT_TRUE(rig_.saved.empty());
}

TEST_F(CommandDataTest, ACommandIsAnsweredWithItsCodeAndTheLineGoesBack) {
    // The commanding process's side, as the exe runs it.
    const CommandExchange exchange =
        ExchangeCommand(window_->Handle(), {CommandKind::For, 30}, 5000);
    EXPECT_EQ(exchange.code, 0);
    EXPECT_TRUE(rig_.options.Active);
    EXPECT_EQ(rig_.options.ActivateFor, 30);
    EXPECT_EQ(rig_.saved.size(), 1u);
    EXPECT_EQ(exchange.line.rfind(L"Staywick is active (30 minutes), ends at ", 0), 0u);

    const std::wstring status = L"/status";
    EXPECT_EQ(Send(kCommandDataTag, status.c_str(), 16), 0x5302);
    // A sender that is no reply window gets no line.
    HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   nullptr, nullptr);
    EXPECT_EQ(Send(kCommandDataTag, status.c_str(), 16, other), 0x5302);
    ::DestroyWindow(other);

    const std::wstring exit = L"/exit";
    EXPECT_EQ(window_->exits, 0);
    EXPECT_EQ(Send(kCommandDataTag, exit.c_str(), 12), 0x5300);
    EXPECT_EQ(window_->exits, 1);
}

// A line longer than the old 255-character limit comes back whole.
TEST_F(CommandDataTest, ALongLineComesBackWhole) {
    const std::wstring name = std::wstring(236, L'a') + L".exe"; // the longest /while value
    const CommandExchange exchange =
        ExchangeCommand(window_->Handle(), {CommandKind::While, 0, name}, 5000);
    EXPECT_EQ(exchange.code, 64);
    EXPECT_EQ(exchange.line, L"No program " + name + L" is running");
    EXPECT_EQ(exchange.line.size(), 262u);
}

// A save that the file refuses: the command is answered at once, with 74 and
// a line that says so, and the report box opens only once the answer has gone.
TEST_F(CommandDataTest, ARefusedSaveIsAnsweredFirstAndReportedAfter) {
    std::vector<std::wstring> reports;
    SetErrorReportSink([&](const std::wstring& text) { reports.push_back(text); });
    const ScopeExit restore([] { SetErrorReportSink({}); });
    rig_.saveHook = [] { throw AppError(L"Unable to write to X:\\Staywick.Settings"); };

    const CommandExchange exchange = ExchangeCommand(window_->Handle(), {CommandKind::On}, 5000);
    EXPECT_TRUE(reports.empty()) << "reported while the command was answered";
    EXPECT_EQ(exchange.code, 74);
    EXPECT_EQ(exchange.line, L"Staywick is active. The settings could not be saved: Unable to "
                             L"write to X:\\Staywick.Settings");
    EXPECT_TRUE(rig_.options.Active) << "the state in memory follows the command";

    // The report comes from the message loop, after the answer.
    const ULONGLONG end = ::GetTickCount64() + 5000;
    MSG msg{};
    while (reports.empty() && ::GetTickCount64() < end) {
        if (::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT) == WAIT_OBJECT_0) {
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&msg);
        }
    }
    EXPECT_EQ(reports, std::vector<std::wstring>{L"Unable to write to X:\\Staywick.Settings"});
}

class UntilDialogTest : public ::testing::Test {
protected:
    void SetUp() override { UseStaywickResources(); }
    Application app_{L"Staywick"};
};

TEST_F(UntilDialogTest, ShowsTheTimeNearTheTaskbarAndReturnsTheChoice) {
    RECT placed{};
    std::wstring hour, minute, caption;
    RunSoon([&] {
        ASSERT_NE(FrmUntil, nullptr);
        HWND dlg = FrmUntil->Handle();
        ::GetWindowRect(dlg, &placed);
        caption = TextOf(dlg);
        hour = TextOf(::GetDlgItem(dlg, IDC_UNTIL_HOUR));
        minute = TextOf(::GetDlgItem(dlg, IDC_UNTIL_MINUTE));
        ::SetDlgItemTextW(dlg, IDC_UNTIL_HOUR, L"7");
        ::SetDlgItemTextW(dlg, IDC_UNTIL_MINUTE, L"45");
        ::PostMessageW(dlg, WM_COMMAND, IDOK, 0);
    });
    const auto chosen = ChooseUntilTime(app_, nullptr, 17 * 60 + 5);
    EXPECT_EQ(FrmUntil, nullptr);
    EXPECT_EQ(caption, L"Until");
    EXPECT_EQ(hour, L"17");
    EXPECT_EQ(minute, L"5");
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, 7 * 60 + 45);
    // Placed as the other dialogs: 20 px from the work area's right and bottom.
    const RECT work = WorkArea();
    EXPECT_EQ(placed.right, work.right - 20);
    EXPECT_EQ(placed.bottom, work.bottom - 20);
}

TEST_F(UntilDialogTest, CancelChoosesNothingAndFieldsStayInRange) {
    RunSoon([&] { ::PostMessageW(FrmUntil->Handle(), WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(ChooseUntilTime(app_, nullptr, 600).has_value());

    TFrmUntil form(nullptr, 0);
    ::SetDlgItemTextW(form.Handle(), IDC_UNTIL_HOUR, L"99");
    ::SetDlgItemTextW(form.Handle(), IDC_UNTIL_MINUTE, L"");
    EXPECT_EQ(form.MinuteOfDay(), 23 * 60);
    // The arrows keep to the hours and minutes of a day.
    int low = -1, high = -1;
    ::SendDlgItemMessageW(form.Handle(), IDC_UNTIL_MINUTEUPDOWN, UDM_GETRANGE32,
                          reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 59);
    ::SendDlgItemMessageW(form.Handle(), IDC_UNTIL_HOURUPDOWN, UDM_GETRANGE32,
                          reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 23);
}

HWND PlainWindow() {
    return ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                             nullptr);
}

constexpr std::int32_t kCtrlAltF12 = ((HOTKEYF_CONTROL | HOTKEYF_ALT) << 8) | VK_F12;

TEST(GlobalHotkeyTest, RegisteredRefusedWhileHeldAndCleared) {
    HWND first = PlainWindow();
    HWND second = PlainWindow();
    {
        GlobalHotkey holder(first);
        GlobalHotkey staywick(second);
        EXPECT_TRUE(holder.Set(kCtrlAltF12));
        EXPECT_EQ(holder.Registered(), kCtrlAltF12);
        // Another holder has it: refused, and nothing stays registered.
        EXPECT_FALSE(staywick.Set(kCtrlAltF12));
        EXPECT_EQ(staywick.Registered(), 0);
        // Cleared, the combination is free again.
        EXPECT_TRUE(holder.Set(0));
        EXPECT_EQ(holder.Registered(), 0);
        EXPECT_TRUE(staywick.Set(kCtrlAltF12));
        // Replacing it frees the old one.
        EXPECT_TRUE(staywick.Set((HOTKEYF_SHIFT << 8) | VK_F11));
        EXPECT_TRUE(holder.Set(kCtrlAltF12));
    }
    // Gone with its owners.
    GlobalHotkey later(first);
    EXPECT_TRUE(later.Set(kCtrlAltF12));
    later.Set(0);
    ::DestroyWindow(first);
    ::DestroyWindow(second);
}

TEST(GlobalHotkeyTest, ModifiersFollowTheControlsBits) {
    EXPECT_EQ(HotkeyModifiers(VK_F12), UINT{MOD_NOREPEAT});
    EXPECT_EQ(HotkeyModifiers(kCtrlAltF12), UINT{MOD_NOREPEAT | MOD_CONTROL | MOD_ALT});
    EXPECT_EQ(HotkeyModifiers((HOTKEYF_SHIFT | HOTKEYF_EXT) << 8 | 'K'),
              UINT{MOD_NOREPEAT | MOD_SHIFT});
}

} // namespace
} // namespace staywick::test
