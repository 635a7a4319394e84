#pragma once
// TAutomaticEvents: a hidden top-level window that hears what the pauses and
// the schedule follow: power-source and battery changes
// (PBT_APMPOWERSTATUSCHANGE, read through PowerStatus), the lid
// (GUID_LIDSWITCH_STATE_CHANGE), session lock and unlock
// (WM_WTSSESSION_CHANGE), clock changes (WM_TIMECHANGE) and resumes. The
// window is made by Listen, once the program is ready; the lid and the
// session are registered only for the choices that need them (wtsapi32 is
// loaded only then). The registrations are looked up at run time and end
// with the window. Under Wine the lid registration is a stub and no session
// change ever comes; tests send the messages themselves.
#include "common/win32/handles.h"
#include "engine/keep_awake_rule.h"
#include "platform/power_status.h"
#include "ui/window.h"

#include <windows.h>

#include <functional>

namespace staywick {

BOOL WINAPI EndPowerSettingNotification(HPOWERNOTIFY registration);
using PowerSettingRegistration = win32::UniqueHandle<HPOWERNOTIFY, &EndPowerSettingNotification>;

class TAutomaticEvents : private Window {
public:
    explicit TAutomaticEvents(PowerStatus& status);
    ~TAutomaticEvents() override;

    // Makes the window, and registers it for the lid's state when `lid` and
    // for session lock and unlock when `session`. A registration stays until
    // the window ends; calling again only adds what is newly asked for.
    void Listen(bool lid, bool session);

    // The facts now: the power source read afresh, the lid and the lock as
    // last heard (open and unlocked before Listen).
    PowerFacts Facts();

    // A fact changed (or may have: a resume re-reads everything).
    std::function<void(const PowerFacts&)> OnPower;
    // The clock was set, or the computer resumed: the schedule looks again.
    std::function<void()> OnClockChanged;

    HWND NotificationWindow() const noexcept { return Handle(); }
    bool RegisteredForLid() const noexcept { return static_cast<bool>(lid_); }
    bool RegisteredForSession() const noexcept { return sessionRegistered_; }

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PowerChanged();

    PowerStatus& status_;
    bool lidClosed_ = false;
    bool locked_ = false;
    PowerSettingRegistration lid_;
    bool sessionRegistered_ = false;
};

} // namespace staywick
