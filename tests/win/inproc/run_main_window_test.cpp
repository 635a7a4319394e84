// The first instance's run: a main window that cannot be created, or one of
// whose parts cannot be (a timer the platform refuses, the tray icon's
// window), is reported by the
// standard error report and ends the program with a non-zero exit code,
// without a loop and with nothing of the window left; a window that is
// created runs the loop until the program ends.
#include "app/program_parts.h"
#include "common/app_error.h"
#include "stub_ports.h"
#include "tray_font_support.h"
#include "ui/application.h"
#include "ui/error_report.h"
#include "win/common/process_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace staywick {
namespace {

constexpr wchar_t kTestMainClass[] = L"StaywickRunMainWindowTest";

struct QuietInput : InputPower {
    std::uint32_t GetIdleMilliseconds() override { return 0; }
    void SimulateKeyPress(std::int32_t) override {}
    void RequestAwakeState() override {}
    void RequestSystemAwakeState() override {}
    void ReleaseAwakeState() override {}
    void ForceForegroundOnDesktop() override {}
    void Sleep(std::uint32_t) override {}
    void ProcessMessages() override {}
};

std::vector<DWORD> shellMessages;
BOOL WINAPI RecordShell(DWORD message, PNOTIFYICONDATAW) {
    shellMessages.push_back(message);
    return TRUE;
}

// A main window built as the program builds its own: its window first, then
// the parts with the program's wiring, then `afterParts`.
class TestMainWindow : public Window {
public:
    TestMainWindow(Application& app, TimerPort& mainTimer, HWND& handle,
                   const std::function<void(TestMainWindow&)>& afterParts = {}) {
        RegisterWindowClass(kTestMainClass);
        Create(0, kTestMainClass, L"Main", WS_POPUP, 0, 0, 0, 0, app.Handle());
        handle = Handle();
        parts_ = BuildProgramParts(options_, ProgramPorts{.applicationWindow = app.Handle(),
                                                          .windowDpi = 96,
                                                          .input = input_,
                                                          .diagnostics = diagnostics_,
                                                          .timers = {mainTimer, countDown_, debug_},
                                                          .saveOptions = [] {},
                                                          .processMessages = {},
                                                          .shell = &RecordShell});
        parts_->Tray.SetVisible(true);
        if (afterParts)
            afterParts(*this);
    }
    ~TestMainWindow() override { Destroy(); }

private:
    TStaywickOptions options_;
    QuietInput input_;
    test::NoDiagnostics diagnostics_;
    test::ManualTimer countDown_, debug_;
    std::unique_ptr<ProgramParts> parts_;
};

// What the user saw of a report box, and what was left of the window then.
struct SeenWhileOpen {
    std::wstring text;
    bool windowLeft = true;
    bool trayWindowLeft = true;
};

class RunMainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fontReady_);
        shellMessages.clear();
    }

    // Runs the program's first-instance run with a real report box, read and
    // closed by another thread.
    int RunWatched(const std::function<std::unique_ptr<Window>()>& create) {
        std::thread watcher([&] {
            HWND box = nullptr;
            if (!test::WaitUntil(
                    5000, [&] { return (box = ::FindWindowW(L"#32770", L"Staywick")) != nullptr; }))
                return;
            wchar_t buf[512] = {};
            ::GetDlgItemTextW(box, 0xFFFF, buf, 512);
            seen_.text = buf;
            seen_.windowLeft = ::IsWindow(created_) != FALSE;
            seen_.trayWindowLeft = ::FindWindowW(L"TTrayIconNotifyWindow", nullptr) != nullptr;
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        const int code = app_.RunMainWindow(create);
        watcher.join();
        return code;
    }

    bool fontReady_ = test::EnsureGlyphFont();
    Application app_{L"Staywick"};
    HWND created_ = nullptr;
    SeenWhileOpen seen_;
};

TEST_F(RunMainWindowTest, ARefusedTimerIsReportedAndEndsTheProgramWithNothingLeft) {
    test::ManualTimer refusingMain(true);
    // Returning at all shows that no loop ran: the loop would wait for the end
    // of the program.
    const int code = RunWatched([&]() -> std::unique_ptr<Window> {
        return std::make_unique<TestMainWindow>(app_, refusingMain, created_);
    });

    EXPECT_EQ(code, kExitCreateFailed);
    EXPECT_NE(code, 0);
    EXPECT_EQ(seen_.text, L"Not enough timers available.");
    ASSERT_NE(created_, nullptr) << "the window existed before its parts failed";
    EXPECT_FALSE(seen_.windowLeft) << "while the box is open nothing can reach the window";
    EXPECT_FALSE(seen_.trayWindowLeft);
    EXPECT_EQ(std::count(shellMessages.begin(), shellMessages.end(), DWORD{NIM_ADD}), 0)
        << "no icon was ever added";
}

TEST_F(RunMainWindowTest, ATrayWindowThatCannotBeCreatedIsReportedAndEndsTheProgram) {
    test::ManualTimer main;
    test::RefusedWindowClass refused(L"TTrayIconNotifyWindow");
    ASSERT_TRUE(refused.Installed());
    const int code = RunWatched([&]() -> std::unique_ptr<Window> {
        return std::make_unique<TestMainWindow>(app_, main, created_);
    });
    EXPECT_EQ(code, 1);
    EXPECT_EQ(seen_.text, L"Cannot create the tray icon window.");
    ASSERT_NE(created_, nullptr);
    EXPECT_FALSE(seen_.windowLeft);
    EXPECT_TRUE(shellMessages.empty()) << "no icon, and no timer pressing keys without one";
    EXPECT_TRUE(main.starts.empty());
}

TEST_F(RunMainWindowTest, AnErrorWhileTheMembersAreConstructedReachesTheReport) {
    test::ManualTimer main;
    const int code = RunWatched([&]() -> std::unique_ptr<Window> {
        return std::make_unique<TestMainWindow>(app_, main, created_, [](TestMainWindow&) {
            throw std::runtime_error("Out of system resources");
        });
    });
    EXPECT_EQ(code, kExitCreateFailed);
    EXPECT_EQ(seen_.text, L"Out of system resources.");
    EXPECT_FALSE(seen_.windowLeft);
    EXPECT_FALSE(seen_.trayWindowLeft);
    // The icon that was added went with the parts, before the box opened.
    EXPECT_EQ(shellMessages, (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION, NIM_DELETE}));
}

TEST_F(RunMainWindowTest, ACreatedWindowRunsTheLoopUntilTheProgramEnds) {
    test::ManualTimer main;
    std::wstring reported;
    SetErrorReportSink([&](const std::wstring& text) { reported = text; });
    ::PostMessageW(app_.Handle(), WM_APP + 4, 0, 0);
    app_.SetOnMessage([&](const MSG& msg, bool&) {
        if (msg.message == WM_APP + 4)
            app_.Terminate();
    });
    const int code = app_.RunMainWindow([&]() -> std::unique_ptr<Window> {
        return std::make_unique<TestMainWindow>(app_, main, created_);
    });
    SetErrorReportSink({});
    EXPECT_EQ(code, 0);
    EXPECT_EQ(reported, L"");
    EXPECT_TRUE(app_.Terminated());
    EXPECT_FALSE(::IsWindow(created_)) << "the window goes when the run ends";
    EXPECT_EQ(shellMessages, (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION, NIM_DELETE}));
}

} // namespace
} // namespace staywick
