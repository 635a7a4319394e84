#include "ui/timer_port_win32.h"

namespace staywick {

namespace {
constexpr wchar_t kTimerWindowClass[] = L"TStaywickTimerWindow";
constexpr UINT_PTR kTimerId = 1;
} // namespace

TimerPortWin32::TimerPortWin32() {
    RegisterWindowClass(kTimerWindowClass);
    Create(0, kTimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE);
}

TimerPortWin32::~TimerPortWin32() {
    Stop();
    Destroy();
}

bool TimerPortWin32::Start(std::uint32_t intervalMs) {
    // Without its window the timer cannot run: report it as a refusal.
    return Handle() && ::SetTimer(Handle(), kTimerId, intervalMs, nullptr) != 0;
}

void TimerPortWin32::Stop() {
    if (Handle())
        ::KillTimer(Handle(), kTimerId);
}

LRESULT TimerPortWin32::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == kTimerId) {
        if (onFire_) {
            const auto handler = onFire_;
            handler();
        }
        return 0;
    }
    return DefaultHandling(msg, wParam, lParam);
}

} // namespace staywick
