#pragma once
// Adding the tray icon again after a refused NIM_ADD. At sign-in the program
// often starts before the notification area is ready, and "TaskbarCreated"
// may already have gone by; so a refused add is tried again every 2 s for up
// to 2 minutes, silently. A success, the icon no longer wanted, or the
// caller (on "TaskbarCreated", on hiding) ends the tries.
#include "platform/timer_port.h"

#include <cstdint>
#include <functional>

namespace staywick {

class TrayAddRetry {
public:
    static constexpr std::uint32_t kIntervalMs = 2000;
    static constexpr int kTries = 60; // 2 minutes

    // `tryAdd` makes one attempt; true when nothing more is needed (the icon
    // is in, or no longer wanted).
    TrayAddRetry(TimerPort& port, std::function<bool()> tryAdd);
    ~TrayAddRetry();
    TrayAddRetry(const TrayAddRetry&) = delete;
    TrayAddRetry& operator=(const TrayAddRetry&) = delete;

    // Starts the tries afresh: the first one interval from now. A timer the
    // platform refuses means no tries (the "TaskbarCreated" path remains).
    void Begin();
    void End();
    bool Running() const noexcept { return triesLeft_ > 0; }

private:
    void Fire();

    TimerPort& port_;
    std::function<bool()> tryAdd_;
    int triesLeft_ = 0;
};

} // namespace staywick
