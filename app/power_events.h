#pragma once
// TPowerEvents: a hidden top-level window that hears the system's power
// broadcasts (message-only windows get none) and reports a suspend and the
// resume from sleep or hibernation after it. Where the system has
// RegisterSuspendResumeNotification, the window is registered with it too, so
// that these reach it on systems that send them only to registered
// recipients; the registration ends with the window.
#include "common/win32/handles.h"
#include "engine/resume_rules.h"
#include "ui/window.h"

#include <windows.h>

#include <functional>

namespace staywick {

// UnregisterSuspendResumeNotification, looked up at run time like its
// counterpart, so the program's imports stay as they are.
BOOL WINAPI EndSuspendResumeNotification(HPOWERNOTIFY registration);
using SuspendResumeRegistration = win32::UniqueHandle<HPOWERNOTIFY, &EndSuspendResumeNotification>;

class TPowerEvents : private Window {
public:
    TPowerEvents();
    ~TPowerEvents() override;

    // PBT_APMRESUMEAUTOMATIC and PBT_APMRESUMESUSPEND.
    std::function<void(ResumeKind)> OnResume;
    // PBT_APMSUSPEND: the system is about to sleep or hibernate.
    std::function<void()> OnSuspend;

    HWND NotificationWindow() const noexcept { return Handle(); }
    // Whether RegisterSuspendResumeNotification took the window.
    bool RegisteredForSuspendResume() const noexcept { return static_cast<bool>(registration_); }

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    SuspendResumeRegistration registration_;
};

} // namespace staywick
