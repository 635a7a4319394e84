#pragma once
// ProgramWatcher: reports whether a program from the user's list runs. While
// none does it looks every 5 s with one snapshot; once it has found some, it
// only waits for their ends and looks again when the last one has ended. A
// process it cannot wait for is looked for every 5 s instead.
#include "engine/timer.h"
#include "platform/process_watch.h"
#include "platform/timer_port.h"

#include <functional>
#include <string>
#include <vector>

namespace staywick {

inline constexpr std::uint32_t kProgramLookMs = 5000;

// The name in `programs` of the first listed program that runs (list order),
// and every running process of a listed program; empty when none runs.
struct ListedProgramsFound {
    std::wstring first;
    std::vector<std::uint32_t> ids;
};
ListedProgramsFound FindListedPrograms(const std::vector<std::wstring>& programs,
                                       const std::vector<RunningProcess>& running);

class ProgramWatcher {
public:
    // `report` gets the running listed program's name, or an empty text when
    // none runs; it is called only when that changes.
    ProgramWatcher(ProcessWatch& processes, TimerPort& timer,
                   std::function<void(const std::wstring&)> report);
    ~ProgramWatcher();
    ProgramWatcher(const ProgramWatcher&) = delete;
    ProgramWatcher& operator=(const ProgramWatcher&) = delete;

    // A new list: looks at once.
    void SetPrograms(std::vector<std::wstring> programs);
    // Looks at once (after a resume, say).
    void LookNow();

    std::size_t Waiting() const noexcept { return waiting_; }
    int Snapshots() const noexcept { return snapshots_; }

private:
    void Look();
    void Ended();
    void Report(const std::wstring& program);

    ProcessWatch& processes_;
    std::function<void(const std::wstring&)> report_;
    std::vector<std::wstring> programs_;
    std::wstring reported_;
    std::size_t waiting_ = 0;
    int snapshots_ = 0;
    TTimer timer_;
};

} // namespace staywick
