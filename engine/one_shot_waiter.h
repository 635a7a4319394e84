#pragma once
// OneShotWaiter: "While a program runs..." and "/while". It waits for one
// chosen process (by id), or for every process of a file name, and reports
// the program's file name while it runs and an empty text once it has ended.
// The end is noticed at once through the process wait; a process that cannot
// be waited on, or a look the system refused, is looked for every 5 s instead.
#include "engine/timer.h"
#include "platform/process_watch.h"
#include "platform/timer_port.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace staywick {

inline constexpr std::uint32_t kOneShotLookMs = 5000;

// What a one-shot waits for: the process `id`, or, with id 0, every process
// whose file name is `fileName`.
struct OneShotTarget {
    std::uint32_t id = 0;
    std::wstring fileName{};

    friend bool operator==(const OneShotTarget&, const OneShotTarget&) = default;
};

// "/while"'s value: decimal digits are a process id (0 and values beyond 32
// bits name none), anything else a file name.
OneShotTarget OneShotTargetFromText(const std::wstring& text);

// The running processes the target names; for an id, only while that process
// still has the file name it was chosen with (when one was given), so an id
// the system has handed on to another program does not count.
std::vector<RunningProcess> OneShotMatches(const OneShotTarget& target,
                                           const std::vector<RunningProcess>& running);

class OneShotWaiter {
public:
    // `report` gets the file name of the program waited for, or an empty text
    // once it has ended.
    OneShotWaiter(ProcessWatch& processes, TimerPort& timer,
                  std::function<void(const std::wstring&)> report);
    ~OneShotWaiter();
    OneShotWaiter(const OneShotWaiter&) = delete;
    OneShotWaiter& operator=(const OneShotWaiter&) = delete;

    // Replaces any earlier wait and reports the program's file name, as it
    // runs (the snapshot's spelling). False when no such process runs: then
    // nothing changes.
    bool WaitFor(OneShotTarget target);
    // Ends the wait without a report (the user switched off).
    void Stop();

    bool Waiting() const noexcept { return !program_.empty(); }
    const std::wstring& Program() const noexcept { return program_; }

private:
    // Takes a snapshot and waits for what of the target still runs; false
    // when nothing does. A refused snapshot tells nothing: the program counts
    // as running and the next look comes in 5 s.
    bool Look();
    // Waits for each process found (one snapshot's); false when none was.
    bool WaitForEach(const std::vector<RunningProcess>& found);
    void Ended();
    void Over();

    ProcessWatch& processes_;
    std::function<void(const std::wstring&)> report_;
    OneShotTarget target_;
    std::wstring program_;
    std::size_t waiting_ = 0;
    TTimer timer_;
};

} // namespace staywick
