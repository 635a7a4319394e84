#pragma once
// What the computer can be told to do when a session ends by itself: turn
// the display off, lock the screen, sleep, hibernate or shut down.
// Win32: platform/win32/system_actions_win32.h; tests record the calls.
namespace staywick {

class SystemActions {
public:
    virtual ~SystemActions() = default;

    // Each returns false when the system refused or lacks the call; nothing
    // more can be done about it then.
    virtual bool TurnDisplayOff() = 0;
    virtual bool LockScreen() = 0;
    virtual bool Sleep() = 0;
    virtual bool Hibernate() = 0;
    // A planned shut-down that lets other programs ask the user to save work.
    virtual bool ShutDown() = 0;
    // Whether the system offers hibernation at all.
    virtual bool CanHibernate() = 0;
};

} // namespace staywick
