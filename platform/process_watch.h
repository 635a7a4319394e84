#pragma once
// The running processes of the user's session as the program watcher needs
// them: one snapshot of their file names, and a wait for one process's end
// that reports on the GUI thread. Win32: platform/win32/process_watch_win32.h.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace staywick {

struct RunningProcess {
    std::uint32_t id = 0;
    std::wstring fileName{}; // "notepad.exe", without folder
};

class ProcessWatch {
public:
    virtual ~ProcessWatch() = default;

    // The processes of the user's session whose file name is one of `names`
    // (SameFileName), taken in one snapshot; empty when the platform refuses.
    // Names are compared first: asking for a process's session costs more.
    virtual std::vector<RunningProcess> Snapshot(const std::vector<std::wstring>& names) = 0;
    // Every process of the user's session, for choosing one (by id or from a
    // list); nothing when the platform refuses, which says nothing about
    // whether a process runs.
    virtual std::optional<std::vector<RunningProcess>> SnapshotAll() = 0;
    // Runs `ended` on the GUI thread once process `id` has ended (at once,
    // through the queue, when it already has). False when the process cannot
    // be waited for; the caller then looks again later.
    virtual bool WatchEnd(std::uint32_t id, std::function<void()> ended) = 0;
    // Ends every wait; no `ended` runs after this.
    virtual void StopWatching() = 0;
};

// File names compared as the file system does: upper case by the system's
// table, so a Polish or a Greek name matches in either case, not only the
// letters A to Z (platform/text_rules.h).
bool SameFileName(const std::wstring& a, const std::wstring& b) noexcept;
// The order of file names under the same mapping.
bool FileNameLess(const std::wstring& a, const std::wstring& b) noexcept;

} // namespace staywick
