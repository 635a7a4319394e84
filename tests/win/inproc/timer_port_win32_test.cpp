// TTimer over real window timers: ticks arrive through the message loop one
// interval apart, the re-arm rules hold, and an error escaping the handler
// reaches the standard error report.
#include "common/app_error.h"
#include "engine/timer.h"
#include "ui/error_report.h"
#include "ui/timer_port_win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace staywick {
namespace {

// Dispatches messages for `ms`, as the program's loop would.
void PumpFor(DWORD ms) {
    const DWORD end = ::GetTickCount() + ms;
    while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// Pumps until `done` or the deadline; returns whether `done` came true.
bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD end = ::GetTickCount() + ms;
    while (!done() && static_cast<LONG>(end - ::GetTickCount()) > 0)
        PumpFor(5);
    return done();
}

struct TickLog {
    std::vector<DWORD> at;
    void Tick() { at.push_back(::GetTickCount()); }
};

TEST(TimerPortWin32, TicksPeriodicallyAndNeverAtOnce) {
    TimerPortWin32 port;
    TickLog log;
    const DWORD started = ::GetTickCount();
    TTimer timer(port, true, 100, [&] { log.Tick(); });
    ASSERT_TRUE(PumpUntil([&] { return log.at.size() >= 4; }, 3000));
    EXPECT_GE(log.at[0] - started, 90u) << "the first tick is one interval away";
    for (std::size_t i = 1; i < log.at.size(); ++i) {
        EXPECT_GE(log.at[i] - log.at[i - 1], 80u);
    }
}

// The order in which the timer under test and a reference window timer fired.
std::vector<char> g_order;
void CALLBACK ReferenceTick(HWND, UINT, UINT_PTR id, DWORD) {
    g_order.push_back('r');
    ::KillTimer(nullptr, id);
}

TEST(TimerPortWin32, SameValueKeepsPhaseAndOtherValueRearms) {
    TimerPortWin32 port;
    TickLog log;
    g_order.clear();
    TTimer timer(port, true, 400, [&] {
        log.Tick();
        g_order.push_back('t');
    });
    ASSERT_TRUE(PumpUntil([&] { return log.at.size() >= 1; }, 3000));
    PumpFor(200);
    // Same value: the next tick is still about 200 ms away, so it comes
    // before a reference timer of the full interval armed now; a re-armed
    // timer would come after it. An order, not a duration: a busy machine
    // delays both alike.
    const UINT_PTR reference = ::SetTimer(nullptr, 0, 400, &ReferenceTick);
    ASSERT_NE(reference, 0u);
    timer.SetInterval(400);
    timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return g_order.size() >= 3; }, 3000));
    EXPECT_EQ(std::string(g_order.begin(), g_order.begin() + 3), "ttr") << "phase kept";

    PumpFor(200);
    const DWORD changed = ::GetTickCount();
    timer.SetInterval(500); // different: one full interval from now
    ASSERT_TRUE(PumpUntil([&] { return log.at.size() >= 3; }, 3000));
    EXPECT_GE(log.at[2] - changed, 480u) << "re-armed";
}

TEST(TimerPortWin32, DisabledTimerStaysSilent) {
    TimerPortWin32 port;
    TickLog log;
    TTimer timer(port, true, 50, [&] { log.Tick(); });
    ASSERT_TRUE(PumpUntil([&] { return !log.at.empty(); }, 3000));
    timer.SetEnabled(false);
    const std::size_t seen = log.at.size();
    PumpFor(300);
    EXPECT_EQ(log.at.size(), seen);
    timer.SetInterval(60); // disabled: changing the interval starts nothing
    PumpFor(200);
    EXPECT_EQ(log.at.size(), seen);
}

TEST(TimerPortWin32, HandlerErrorGoesToTheErrorReportAndTicksGoOn) {
    std::vector<std::wstring> reports;
    SetErrorReportSink([&](const std::wstring& text) { reports.push_back(text); });
    {
        TimerPortWin32 port;
        int ticks = 0;
        TTimer timer(port, true, 50, [&] {
            if (++ticks == 1)
                throw AppError(L"Cannot open file \"X:\\Staywick.log\". Denied");
        });
        EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }, 3000));
    }
    SetErrorReportSink({});
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], L"Cannot open file \"X:\\Staywick.log\". Denied");
}

TEST(TimerPortWin32, TimersAreIndependent) {
    TimerPortWin32 fast, slow;
    TickLog fastLog, slowLog;
    TTimer a(fast, true, 60, [&] { fastLog.Tick(); });
    TTimer b(slow, true, 1000, [&] { slowLog.Tick(); });
    // Four fast ticks come before the slow one's first, however late all are.
    ASSERT_TRUE(PumpUntil([&] { return fastLog.at.size() >= 4 || !slowLog.at.empty(); }, 5000));
    EXPECT_GE(fastLog.at.size(), 4u);
    EXPECT_TRUE(slowLog.at.empty());
    ASSERT_TRUE(PumpUntil([&] { return !slowLog.at.empty(); }, 5000)) << "the slow one ticks too";
}

} // namespace
} // namespace staywick
