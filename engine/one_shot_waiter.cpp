#include "engine/one_shot_waiter.h"

#include "common/integer_text.h"

namespace staywick {

OneShotTarget OneShotTargetFromText(const std::wstring& text) {
    if (text.empty() || text.find_first_not_of(L"0123456789") != std::wstring::npos)
        return {.id = 0, .fileName = text};
    // Digits beyond 32 bits name nothing.
    return {.id = ParseDigits(text).value_or(0), .fileName = {}};
}

std::vector<RunningProcess> OneShotMatches(const OneShotTarget& target,
                                           const std::vector<RunningProcess>& running) {
    std::vector<RunningProcess> found;
    for (const RunningProcess& process : running) {
        const bool sameName =
            target.fileName.empty() || SameFileName(process.fileName, target.fileName);
        if (sameName && (target.id == 0 || process.id == target.id))
            found.push_back(process);
    }
    return found;
}

OneShotWaiter::OneShotWaiter(ProcessWatch& processes, TimerPort& timer,
                             std::function<void(const std::wstring&)> report)
    : processes_(processes), report_(std::move(report)),
      timer_(timer, false, kOneShotLookMs, [this] {
          if (!Look())
              Over();
      }) {}

OneShotWaiter::~OneShotWaiter() {
    processes_.StopWatching();
}

bool OneShotWaiter::WaitFor(OneShotTarget target) {
    if (target.id == 0 && target.fileName.empty())
        return false;
    const auto running = processes_.SnapshotAll();
    if (!running)
        return false;
    const std::vector<RunningProcess> found = OneShotMatches(target, *running);
    if (found.empty())
        return false;
    target_ = std::move(target);
    // The name as the system spells it, and the one the chosen id runs now.
    target_.fileName = found.front().fileName;
    program_ = target_.fileName;
    // The waits go on what this snapshot found: a second one could miss a
    // program that ended in between, and then nothing would wait for its end.
    WaitForEach(found);
    if (report_)
        report_(program_);
    return true;
}

void OneShotWaiter::Stop() {
    processes_.StopWatching();
    timer_.SetEnabled(false);
    waiting_ = 0;
    program_.clear();
}

bool OneShotWaiter::Look() {
    const auto running = processes_.SnapshotAll();
    if (!running) {
        // The waits that hold stay; the look is tried again.
        timer_.SetEnabled(true);
        return true;
    }
    return WaitForEach(OneShotMatches(target_, *running));
}

bool OneShotWaiter::WaitForEach(const std::vector<RunningProcess>& found) {
    processes_.StopWatching();
    waiting_ = 0;
    bool allWaited = true;
    for (const RunningProcess& process : found) {
        if (processes_.WatchEnd(process.id, [this] { Ended(); })) {
            ++waiting_;
        } else {
            allWaited = false;
        }
    }
    // No snapshots while every process is waited for.
    timer_.SetEnabled(!found.empty() && !allWaited);
    return !found.empty();
}

void OneShotWaiter::Ended() {
    if (waiting_ > 0)
        --waiting_;
    if (waiting_ > 0)
        return;
    // The chosen process has ended; by name, another copy may still run.
    if (target_.id != 0 || !Look())
        Over();
}

void OneShotWaiter::Over() {
    Stop();
    if (report_)
        report_({});
}

} // namespace staywick
