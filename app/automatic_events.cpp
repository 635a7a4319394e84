#include "app/automatic_events.h"

#include "platform/win32/on_demand.h"

#include <wtsapi32.h>

#include <cstring>

namespace staywick {

namespace {

constexpr wchar_t kAutomaticEventsClass[] = L"TStaywickAutomaticEvents";

// BA3E0F4D-B817-4094-A2D1-D56379E6A0F3; defined here so that no GUID
// library is needed.
constexpr GUID kLidSwitchStateChange = {
    0xBA3E0F4D, 0xB817, 0x4094, {0xA2, 0xD1, 0xD5, 0x63, 0x79, 0xE6, 0xA0, 0xF3}};

// wtsapi32 is loaded only here: start-up needs nothing else from it.
using WtsRegisterFn = BOOL(WINAPI*)(HWND, DWORD);
using WtsUnregisterFn = BOOL(WINAPI*)(HWND);

} // namespace

BOOL WINAPI EndPowerSettingNotification(HPOWERNOTIFY registration) {
    using Fn = BOOL(WINAPI*)(HPOWERNOTIFY);
    static const Fn fn =
        win32::OnDemandFunction<Fn>(L"user32.dll", "UnregisterPowerSettingNotification");
    return fn ? fn(registration) : FALSE;
}

TAutomaticEvents::TAutomaticEvents(PowerStatus& status) : status_(status) {}

void TAutomaticEvents::Listen(bool lid, bool session) {
    if (!Handle()) {
        RegisterWindowClass(kAutomaticEventsClass);
        // Top-level, unowned and never shown: broadcasts reach top-level windows only.
        Create(0, kAutomaticEventsClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr);
        if (!Handle())
            return;
    }
    if (lid && !lid_) {
        // Windows Vista and later; the system sends the lid's state at once.
        using RegisterFn = HPOWERNOTIFY(WINAPI*)(HANDLE, LPCGUID, DWORD);
        static const RegisterFn registerSetting =
            win32::OnDemandFunction<RegisterFn>(L"user32.dll", "RegisterPowerSettingNotification");
        if (registerSetting)
            lid_.Reset(
                registerSetting(Handle(), &kLidSwitchStateChange, DEVICE_NOTIFY_WINDOW_HANDLE));
    }
    if (session && !sessionRegistered_) {
        static const WtsRegisterFn registerSession = win32::OnDemandFunction<WtsRegisterFn>(
            L"wtsapi32.dll", "WTSRegisterSessionNotification");
        sessionRegistered_ =
            registerSession && registerSession(Handle(), NOTIFY_FOR_THIS_SESSION) != FALSE;
    }
}

TAutomaticEvents::~TAutomaticEvents() {
    if (sessionRegistered_) {
        static const WtsUnregisterFn unregisterSession = win32::OnDemandFunction<WtsUnregisterFn>(
            L"wtsapi32.dll", "WTSUnRegisterSessionNotification");
        if (unregisterSession)
            unregisterSession(Handle());
    }
    lid_.Reset();
    Destroy();
}

PowerFacts TAutomaticEvents::Facts() {
    const PowerSource source = status_.Read();
    return {.onBattery = source.onBattery,
            .batteryPercent = source.batteryPercent,
            .lidClosed = lidClosed_,
            .sessionLocked = locked_};
}

void TAutomaticEvents::PowerChanged() {
    if (OnPower)
        OnPower(Facts());
}

LRESULT TAutomaticEvents::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_POWERBROADCAST:
        if (wParam == PBT_POWERSETTINGCHANGE) {
            const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
            if (setting && setting->PowerSetting == kLidSwitchStateChange &&
                setting->DataLength >= sizeof(DWORD)) {
                DWORD state = 0;
                std::memcpy(&state, setting->Data, sizeof(state));
                lidClosed_ = state == 0; // 0 closed, 1 open
                PowerChanged();
            }
        } else if (wParam == PBT_APMPOWERSTATUSCHANGE) {
            PowerChanged();
        } else if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
            // The source may have changed while the computer slept, and the
            // clock moved on.
            PowerChanged();
            if (OnClockChanged)
                OnClockChanged();
        }
        return TRUE;
    case WM_WTSSESSION_CHANGE:
        if (wParam == WTS_SESSION_LOCK || wParam == WTS_SESSION_UNLOCK) {
            locked_ = wParam == WTS_SESSION_LOCK;
            PowerChanged();
        }
        return 0;
    case WM_TIMECHANGE:
        if (OnClockChanged)
            OnClockChanged();
        return 0;
    default:
        return DefaultHandling(msg, wParam, lParam);
    }
}

} // namespace staywick
