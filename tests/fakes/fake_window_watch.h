#pragma once
// Windows the test opens, renames and brings to the front by hand. Events go
// through the virtual clock's queue, as the real ones through the GUI
// thread's; `hookable` false plays a system without win-event hooks.
#include "fakes/virtual_clock.h"
#include "platform/window_watch.h"

namespace staywick::fakes {

class FakeWindowWatch : public WindowWatch {
public:
    explicit FakeWindowWatch(VirtualClock& clock) : clock_(clock) {}

    FrontWindow InFront() override {
        ++frontLooks;
        return front;
    }
    std::vector<std::wstring> VisibleTitles() override {
        ++titleLooks;
        return titles;
    }
    bool HookForeground(std::function<void()> changed) override {
        if (!hookable)
            return false;
        foregroundChanged = std::move(changed);
        return true;
    }
    void UnhookForeground() override { foregroundChanged = nullptr; }
    bool HookWindows(std::function<void()> changed) override {
        if (!hookable)
            return false;
        windowsChanged = std::move(changed);
        return true;
    }
    void UnhookWindows() override { windowsChanged = nullptr; }

    // Another window comes to the front, and the event follows.
    void BringToFront(FrontWindow window) {
        front = std::move(window);
        Notify(foregroundChanged);
    }
    void SetTitles(std::vector<std::wstring> now) {
        titles = std::move(now);
        Notify(windowsChanged);
    }

    bool hookable = true;
    FrontWindow front{};
    std::vector<std::wstring> titles;
    std::function<void()> foregroundChanged;
    std::function<void()> windowsChanged;
    int frontLooks = 0;
    int titleLooks = 0;

private:
    void Notify(const std::function<void()>& changed) {
        if (changed)
            clock_.Post([this, &changed] {
                if (changed)
                    changed();
            });
    }

    VirtualClock& clock_;
};

} // namespace staywick::fakes
