#include "app/power_events.h"

#include "platform/win32/on_demand.h"

namespace staywick {

namespace {

constexpr wchar_t kPowerEventsClass[] = L"TStaywickPowerEvents";

} // namespace

BOOL WINAPI EndSuspendResumeNotification(HPOWERNOTIFY registration) {
    using Fn = BOOL(WINAPI*)(HPOWERNOTIFY);
    static const Fn fn =
        win32::OnDemandFunction<Fn>(L"user32.dll", "UnregisterSuspendResumeNotification");
    return fn ? fn(registration) : FALSE;
}

TPowerEvents::TPowerEvents() {
    RegisterWindowClass(kPowerEventsClass);
    // Top-level and unowned, never shown: broadcasts reach top-level windows only.
    Create(0, kPowerEventsClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr);
    // Windows 8 and later.
    using Fn = HPOWERNOTIFY(WINAPI*)(HANDLE, DWORD);
    static const Fn registerFn =
        win32::OnDemandFunction<Fn>(L"user32.dll", "RegisterSuspendResumeNotification");
    if (registerFn && Handle())
        registration_.Reset(registerFn(Handle(), DEVICE_NOTIFY_WINDOW_HANDLE));
}

TPowerEvents::~TPowerEvents() {
    registration_.Reset();
    Destroy();
}

LRESULT TPowerEvents::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_POWERBROADCAST)
        return DefaultHandling(msg, wParam, lParam);
    // The system sends PBT_APMRESUMEAUTOMATIC on every resume; when a user
    // caused the wake, or gives input afterwards, PBT_APMRESUMESUSPEND follows.
    if (wParam == PBT_APMSUSPEND) {
        if (OnSuspend)
            OnSuspend();
    } else if (OnResume) {
        if (wParam == PBT_APMRESUMEAUTOMATIC) {
            OnResume(ResumeKind::Automatic);
        } else if (wParam == PBT_APMRESUMESUSPEND) {
            OnResume(ResumeKind::ByUser);
        }
    }
    return TRUE;
}

} // namespace staywick
