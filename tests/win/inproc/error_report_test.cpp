// The standard error report as the user sees it: a message box with the
// error icon, caption "Staywick" and the text with the full-stop rule; the
// message loop goes on afterwards; while a box is open no second one opens,
// and the latest error raised meanwhile is shown once after it closes.
#include "common/app_error.h"
#include "ui/application.h"
#include "ui/error_report.h"
#include "win/common/process_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace staywick {
namespace {

struct SeenBox {
    std::wstring caption, text;
    bool errorIcon = false;
};

// Waits for the report box on another thread, reads it and presses OK.
SeenBox DismissReportBox() {
    SeenBox seen;
    const auto box = test::WaitForMessageBox(L"Staywick", 5000);
    if (!box)
        return seen;
    seen.caption = box->caption;
    seen.text = box->text;
    const HICON error = ::LoadIconW(nullptr, IDI_HAND);
    for (int id : {0x14, 0x440}) { // the icon control's id on Windows and under Wine
        if (HWND icon = ::GetDlgItem(box->box, id)) {
            seen.errorIcon |=
                reinterpret_cast<HICON>(::SendMessageW(icon, STM_GETICON, 0, 0)) == error;
        }
    }
    ::PostMessageW(box->box, WM_COMMAND, IDOK, 0);
    return seen;
}

TEST(ErrorReport, ShowsTheBoxAndTheLoopGoesOn) {
    Application app(L"Staywick");
    SeenBox seen;
    std::thread watcher([&] { seen = DismissReportBox(); });

    bool ran = false;
    const bool ok = RunGuarded([&] {
        ran = true;
        throw AppError(L"Unable to write to C:\\Data\\Staywick.Settings");
    });
    watcher.join();

    EXPECT_TRUE(ran);
    EXPECT_FALSE(ok) << "the handler ended with an error";
    EXPECT_EQ(seen.caption, L"Staywick");
    EXPECT_EQ(seen.text, L"Unable to write to C:\\Data\\Staywick.Settings.");
    EXPECT_TRUE(seen.errorIcon);

    // The loop keeps running: a posted message is still handled.
    std::atomic<bool> hooked{false};
    app.SetOnMessage([&](const MSG& msg, bool&) {
        if (msg.message == WM_APP + 7) {
            hooked = true;
            app.Terminate();
        }
    });
    ::PostMessageW(app.Handle(), WM_APP + 7, 0, 0);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_TRUE(hooked);
}

TEST(ErrorReport, AHandlerThatEndsNormallyReportsNothing) {
    std::vector<std::wstring> reported;
    SetErrorReportSink([&](const std::wstring& text) { reported.push_back(text); });
    int ran = 0;
    EXPECT_TRUE(RunGuarded([&] { ++ran; }));
    EXPECT_FALSE(RunGuarded([] { throw std::runtime_error("disk full"); }));
    SetErrorReportSink({});
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(reported, std::vector<std::wstring>{L"disk full"});
}

// The report boxes of this process that are open now.
std::vector<HWND> OpenReportBoxes() {
    std::vector<HWND> boxes;
    HWND wnd = nullptr;
    while ((wnd = ::FindWindowExW(nullptr, wnd, L"#32770", L"Staywick"))) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(wnd, &pid);
        if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(wnd))
            boxes.push_back(wnd);
    }
    return boxes;
}

// A timer whose ticks fail, as a tick does when its log cannot be written,
// each with its own number, until the test stops the failures.
std::atomic<int> g_failedTicks{0};
std::atomic<bool> g_ticksFail{true};
void CALLBACK FailingTick(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_ticksFail)
        return;
    const int n = g_failedTicks + 1;
    if (!RunGuarded([n] { throw AppError(L"Tick " + std::to_wstring(n) + L" failed"); }))
        g_failedTicks = n;
}

std::wstring BoxText(HWND box) {
    wchar_t buf[512] = {};
    ::GetDlgItemTextW(box, 0xFFFF, buf, 512);
    return buf;
}

TEST(ErrorReport, WhileABoxIsOpenFurtherErrorsWaitAndTheLatestIsShownOnceAfterIt) {
    Application app(L"Staywick");
    g_failedTicks = 0;
    g_ticksFail = true;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &FailingTick);
    ASSERT_NE(timer, 0u);

    // Watches the first box until twenty failing ticks have been handled in
    // its loop, noting the most boxes open at once; stops the failures and
    // presses OK. Then reads the box that follows and presses OK again, and
    // watches for a third.
    std::size_t mostOpen = 0;
    int ticksWhileOpen = 0, lastTick = 0;
    std::wstring first, second;
    bool third = false;
    std::atomic<bool> reportReturned{false};
    std::thread watcher([&] {
        std::vector<HWND> open;
        if (!test::WaitUntil(5000, [&] { return !(open = OpenReportBoxes()).empty(); }))
            return;
        HWND box = open.front();
        first = BoxText(box);
        const int before = g_failedTicks;
        test::WaitUntil(10000, [&] {
            mostOpen = std::max(mostOpen, OpenReportBoxes().size());
            return g_failedTicks >= before + 20;
        });
        mostOpen = std::max(mostOpen, OpenReportBoxes().size());
        g_ticksFail = false;
        ticksWhileOpen = g_failedTicks - before;
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        if (!test::WaitUntil(5000, [&] {
                open = OpenReportBoxes();
                return !open.empty() && open.front() != box;
            }))
            return;
        box = open.front();
        second = BoxText(box);
        // The first box's loop has ended: no tick fails any more.
        lastTick = g_failedTicks;
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        // A further box would open before the report returns: watch until it
        // has returned.
        test::WaitUntil(5000, [&] {
            open = OpenReportBoxes();
            third = !open.empty() && open.front() != box;
            return third || reportReturned;
        });
    });
    const bool ok =
        RunGuarded([] { throw AppError(L"Unable to write to C:\\Data\\Staywick.Settings"); });
    reportReturned = true;
    watcher.join();
    ::KillTimer(nullptr, timer);

    EXPECT_FALSE(ok);
    EXPECT_EQ(first, L"Unable to write to C:\\Data\\Staywick.Settings.")
        << "the first error is shown";
    EXPECT_EQ(mostOpen, 1u) << "never a box inside the box";
    EXPECT_GE(ticksWhileOpen, 20) << "the failing handlers kept running and ending";
    EXPECT_EQ(second, L"Tick " + std::to_wstring(lastTick) + L" failed.")
        << "the latest error raised while the box was open, in a box of its own";
    EXPECT_FALSE(third) << "shown once";
    EXPECT_TRUE(OpenReportBoxes().empty());

    // Once it is closed, the next error has its box again.
    SeenBox next;
    std::thread after([&] { next = DismissReportBox(); });
    RunGuarded([] { throw AppError(L"Not enough timers available"); });
    after.join();
    EXPECT_EQ(next.text, L"Not enough timers available.");
}

TEST(ErrorReport, ErrorsInsideTheHookAreReportedAndTheMessageStillHandled) {
    Application app(L"Staywick");
    std::wstring reported;
    SetErrorReportSink([&](const std::wstring& text) { reported = text; });
    int seen = 0;
    app.SetOnMessage([&](const MSG& msg, bool& handled) {
        if (msg.message == WM_APP + 1) {
            ++seen;
            throw AppError(L"hook failed");
        }
        if (msg.message == WM_APP + 2) {
            handled = true;
            app.Terminate();
        }
    });
    ::PostMessageW(app.Handle(), WM_APP + 1, 0, 0);
    ::PostMessageW(app.Handle(), WM_APP + 2, 0, 0);
    app.Run();
    SetErrorReportSink({});
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(reported, L"hook failed");
}

} // namespace
} // namespace staywick
