#include "engine/program_watcher.h"

namespace staywick {

ListedProgramsFound FindListedPrograms(const std::vector<std::wstring>& programs,
                                       const std::vector<RunningProcess>& running) {
    ListedProgramsFound found;
    for (const auto& program : programs) {
        for (const auto& process : running) {
            if (!SameFileName(process.fileName, program))
                continue;
            if (found.first.empty())
                found.first = program;
            found.ids.push_back(process.id);
        }
    }
    return found;
}

ProgramWatcher::ProgramWatcher(ProcessWatch& processes, TimerPort& timer,
                               std::function<void(const std::wstring&)> report)
    : processes_(processes), report_(std::move(report)),
      timer_(timer, false, kProgramLookMs, [this] { Look(); }) {}

ProgramWatcher::~ProgramWatcher() {
    processes_.StopWatching();
}

void ProgramWatcher::SetPrograms(std::vector<std::wstring> programs) {
    programs_ = std::move(programs);
    Look();
}

void ProgramWatcher::LookNow() {
    Look();
}

void ProgramWatcher::Look() {
    processes_.StopWatching();
    waiting_ = 0;
    if (programs_.empty()) {
        timer_.SetEnabled(false);
        Report({});
        return;
    }
    ++snapshots_;
    const ListedProgramsFound found = FindListedPrograms(programs_, processes_.Snapshot(programs_));
    bool allWaited = true;
    for (const std::uint32_t id : found.ids) {
        if (processes_.WatchEnd(id, [this] { Ended(); })) {
            ++waiting_;
        } else {
            allWaited = false;
        }
    }
    // No snapshots while every program found can be waited for.
    timer_.SetEnabled(found.ids.empty() || !allWaited);
    Report(found.first);
}

void ProgramWatcher::Ended() {
    if (waiting_ > 0)
        --waiting_;
    // Another listed program, or another copy, may still run.
    if (waiting_ == 0)
        Look();
}

void ProgramWatcher::Report(const std::wstring& program) {
    if (program == reported_)
        return;
    reported_ = program;
    if (report_)
        report_(program);
}

} // namespace staywick
