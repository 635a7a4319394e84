#include "tray/tray_add_retry.h"

namespace staywick {

TrayAddRetry::TrayAddRetry(TimerPort& port, std::function<bool()> tryAdd)
    : port_(port), tryAdd_(std::move(tryAdd)) {
    port_.SetOnFire([this] { Fire(); });
}

TrayAddRetry::~TrayAddRetry() {
    port_.Stop();
    port_.SetOnFire({});
}

void TrayAddRetry::Begin() {
    port_.Stop();
    triesLeft_ = port_.Start(kIntervalMs) ? kTries : 0;
}

void TrayAddRetry::End() {
    port_.Stop();
    triesLeft_ = 0;
}

void TrayAddRetry::Fire() {
    if (!Running()) {
        End(); // a tick already on its way when the tries ended
        return;
    }
    --triesLeft_;
    if (tryAdd_() || triesLeft_ == 0)
        End();
}

} // namespace staywick
