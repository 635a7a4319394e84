#pragma once
// Stand-ins for the platform ports that in-process tests of the real parts
// pass in: a timer the test expires by hand (so no test waits for a real
// interval), diagnostics that are switched off, and windows the system
// refuses to create.
#include "engine/keep_awake_seams.h"
#include "platform/timer_port.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace staywick::test {

struct ManualTimer : TimerPort {
    // `refuse`: the platform has no timer left, so every start fails.
    explicit ManualTimer(bool refuse = false) : refuse(refuse) {}

    bool Start(std::uint32_t ms) override {
        starts.push_back(ms);
        if (refuse)
            return false;
        armed = true;
        interval = ms;
        return true;
    }
    void Stop() override { armed = false; }
    void SetOnFire(std::function<void()> f) override { fire = std::move(f); }
    // One expiry, as the platform would deliver it while armed.
    void Expire() {
        if (armed && fire)
            fire();
    }

    bool refuse;
    bool armed = false;
    std::uint32_t interval = 0;
    std::vector<std::uint32_t> starts; // refused starts included
    std::function<void()> fire;
};

struct NoDiagnostics : TickDiagnostics {
    bool LogEnabled() const override { return false; }
    void AppendLog(const std::wstring&) override {}
    void DebugWrite(const std::wstring&) override {}
};

// A thread hook that refuses every window of one class, as a system out of
// window resources refuses them.
class RefusedWindowClass {
public:
    explicit RefusedWindowClass(const wchar_t* cls) {
        refused_ = cls;
        hook_ = ::SetWindowsHookExW(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~RefusedWindowClass() {
        if (hook_)
            ::UnhookWindowsHookEx(hook_);
    }
    RefusedWindowClass(const RefusedWindowClass&) = delete;
    RefusedWindowClass& operator=(const RefusedWindowClass&) = delete;
    bool Installed() const { return hook_ != nullptr; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) {
            const auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
            if (!IS_INTRESOURCE(create->lpszClass) && ::lstrcmpiW(create->lpszClass, refused_) == 0)
                return 1; // the window is not created
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline const wchar_t* refused_ = nullptr;
    HHOOK hook_ = nullptr;
};

} // namespace staywick::test
