#include "ui/timer_port_win32.h"

#include "ui/window.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace staywick {

namespace {

constexpr wchar_t kTimerWindowClass[] = L"TStaywickTimerWindow";

// The hidden window that carries the timers of every port; it exists while
// at least one port does.
class TimerHost final : public Window {
public:
    TimerHost() {
        RegisterWindowClass(kTimerWindowClass);
        Create(0, kTimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE);
    }
    ~TimerHost() override { Destroy(); }

    // A new id for each port, never reused, so that a WM_TIMER still queued
    // for a port that is gone finds no one.
    std::uintptr_t Join(TimerPortWin32* port) {
        ports_.emplace_back(++lastId_, port);
        return lastId_;
    }
    // True when the last port has left.
    bool Leave(std::uintptr_t id) {
        ports_.erase(std::remove_if(ports_.begin(), ports_.end(),
                                    [id](const auto& entry) { return entry.first == id; }),
                     ports_.end());
        return ports_.empty();
    }

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_TIMER) {
            const auto port =
                std::find_if(ports_.begin(), ports_.end(),
                             [wParam](const auto& entry) { return entry.first == wParam; });
            if (port != ports_.end())
                port->second->Fire();
            return 0;
        }
        return DefaultHandling(msg, wParam, lParam);
    }

    // A handful of timers: a list searched in order is all it takes.
    std::vector<std::pair<std::uintptr_t, TimerPortWin32*>> ports_;
    std::uintptr_t lastId_ = 0;
};

std::unique_ptr<TimerHost>& Host() {
    static std::unique_ptr<TimerHost> host;
    return host;
}

} // namespace

TimerPortWin32::TimerPortWin32() {
    if (!Host())
        Host() = std::make_unique<TimerHost>();
    id_ = Host()->Join(this);
}

TimerPortWin32::~TimerPortWin32() {
    Stop();
    if (Host()->Leave(id_))
        Host().reset();
}

bool TimerPortWin32::Start(std::uint32_t intervalMs) {
    // Without its window the timer cannot run: report it as a refusal.
    HWND host = Host()->Handle();
    return host && ::SetTimer(host, id_, intervalMs, nullptr) != 0;
}

void TimerPortWin32::Stop() {
    if (HWND host = Host()->Handle())
        ::KillTimer(host, id_);
}

void TimerPortWin32::Fire() {
    if (onFire_) {
        // A copy: the handler may end this port.
        const auto handler = onFire_;
        handler();
    }
}

} // namespace staywick
