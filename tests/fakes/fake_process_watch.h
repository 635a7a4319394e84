#pragma once
// A process list the test changes by hand; waits report through the virtual
// clock's queue, as the real ones do through the window's queue.
#include "fakes/virtual_clock.h"
#include "platform/process_watch.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

namespace staywick::fakes {

class FakeProcessWatch : public ProcessWatch {
public:
    explicit FakeProcessWatch(VirtualClock& clock) : clock_(clock) {}

    std::vector<RunningProcess> Snapshot(const std::vector<std::wstring>& names) override {
        ++snapshots;
        if (Refused())
            return {};
        std::vector<RunningProcess> listed;
        for (const auto& process : running) {
            if (std::any_of(names.begin(), names.end(), [&](const std::wstring& name) {
                    return SameFileName(process.fileName, name);
                }))
                listed.push_back(process);
        }
        Taken();
        return listed;
    }
    std::optional<std::vector<RunningProcess>> SnapshotAll() override {
        ++snapshots;
        if (Refused())
            return std::nullopt;
        std::vector<RunningProcess> all = running;
        Taken();
        return all;
    }
    bool WatchEnd(std::uint32_t id, std::function<void()> ended) override {
        if (unwaitable.count(id))
            return false;
        const bool runs =
            std::any_of(running.begin(), running.end(), [id](const auto& p) { return p.id == id; });
        waits[id] = std::move(ended);
        if (!runs)
            End(id); // already over: reported at once through the queue
        return true;
    }
    void StopWatching() override { waits.clear(); }

    void Start(std::uint32_t id, const std::wstring& name) { running.push_back({id, name}); }
    void End(std::uint32_t id) {
        running.erase(std::remove_if(running.begin(), running.end(),
                                     [id](const auto& p) { return p.id == id; }),
                      running.end());
        clock_.Post([this, id] {
            const auto wait = waits.find(id);
            if (wait == waits.end())
                return;
            auto ended = std::move(wait->second);
            waits.erase(wait);
            ended();
        });
    }

    std::vector<RunningProcess> running;
    std::set<std::uint32_t> unwaitable; // OpenProcess refused
    std::map<std::uint32_t, std::function<void()>> waits;
    int snapshots = 0;
    int refuseSnapshots = 0;             // the next ones the system refuses
    std::function<void()> afterSnapshot; // runs once a snapshot is taken

private:
    bool Refused() {
        if (refuseSnapshots == 0)
            return false;
        --refuseSnapshots;
        return true;
    }
    void Taken() {
        if (afterSnapshot)
            afterSnapshot();
    }

    VirtualClock& clock_;
};

} // namespace staywick::fakes
