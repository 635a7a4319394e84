#include "engine/window_watchers.h"

#include "platform/process_watch.h"

namespace staywick {

void ChangedText::Report(const std::wstring& text) {
    if (text == last_)
        return;
    last_ = text;
    if (report_)
        report_(text);
}

std::wstring ProgramInFront(const std::vector<std::wstring>& programs, const FrontWindow& front,
                            const std::wstring& last) {
    if (front.owner != FrontWindow::Owner::Other) {
        for (const auto& program : programs) {
            if (program == last)
                return last;
        }
        return {};
    }
    for (const auto& program : programs) {
        if (SameFileName(front.fileName, program))
            return program;
    }
    return {};
}

ForegroundWatcher::ForegroundWatcher(WindowWatch& windows, TimerPort& timer,
                                     std::function<void(const std::wstring&)> report)
    : windows_(windows), reported_(std::move(report)),
      timer_(timer, false, kWindowLookMs, [this] { Look(); }) {}

ForegroundWatcher::~ForegroundWatcher() {
    if (hooked_)
        windows_.UnhookForeground();
}

void ForegroundWatcher::SetPrograms(std::vector<std::wstring> programs) {
    programs_ = std::move(programs);
    if (programs_.empty()) {
        if (hooked_)
            windows_.UnhookForeground();
        hooked_ = false;
        timer_.SetEnabled(false);
        reported_.Report({});
        return;
    }
    if (!hooked_)
        hooked_ = windows_.HookForeground([this] { Look(); });
    timer_.SetEnabled(!hooked_);
    Look();
}

void ForegroundWatcher::LookNow() {
    if (!programs_.empty())
        Look();
}

void ForegroundWatcher::Look() {
    ++looks_;
    reported_.Report(ProgramInFront(programs_, windows_.InFront(), reported_.Last()));
}

WindowTitleWatcher::WindowTitleWatcher(WindowWatch& windows, TimerPort& timer, CaseFold fold,
                                       std::function<void(const std::wstring&)> report)
    : windows_(windows), reported_(std::move(report)), fold_(fold), matcher_({}, fold),
      timer_(timer, false, kWindowLookMs, [this] { Look(); }) {}

WindowTitleWatcher::~WindowTitleWatcher() {
    if (hooked_)
        windows_.UnhookWindows();
}

void WindowTitleWatcher::SetPatterns(std::vector<std::wstring> patterns) {
    matcher_ = TitleMatcher(std::move(patterns), fold_);
    if (matcher_.Empty()) {
        if (hooked_)
            windows_.UnhookWindows();
        hooked_ = false;
        timer_.SetEnabled(false);
        reported_.Report({});
        return;
    }
    if (!hooked_)
        hooked_ = windows_.HookWindows([this] { WindowsChanged(); });
    Look();
}

void WindowTitleWatcher::LookNow() {
    if (!matcher_.Empty())
        Look();
}

// Hooked, the timer runs only to let a burst of events settle; without
// events it looks every 5 s.
void WindowTitleWatcher::Look() {
    ++looks_;
    timer_.SetEnabled(false);
    timer_.SetInterval(kWindowLookMs);
    timer_.SetEnabled(!hooked_);
    reported_.Report(matcher_.FirstMatch(windows_.VisibleTitles()));
}

void WindowTitleWatcher::WindowsChanged() {
    if (timer_.Enabled())
        return; // a look is already due
    timer_.SetInterval(kWindowSettleMs);
    timer_.SetEnabled(true);
}

} // namespace staywick
