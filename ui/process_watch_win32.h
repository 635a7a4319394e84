#pragma once
// The process watch on Windows: one query of the system's process list,
// filtered to the listed names in the user's session, and waits on process
// handles (SYNCHRONIZE) registered with the system thread pool. The pool's
// callback only posts a message to a hidden message-only window (made for
// the first wait), so every `ended` runs on the GUI thread, inside the
// standard error report; the program itself starts no thread.
#include "common/win32/handles.h"
#include "platform/process_watch.h"
#include "ui/window.h"

#include <memory>
#include <vector>

namespace staywick {

class ProcessWatchWin32 final : public ProcessWatch, private Window {
public:
    ProcessWatchWin32();
    ~ProcessWatchWin32() override;

    std::vector<RunningProcess> Snapshot(const std::vector<std::wstring>& names) override;
    std::vector<RunningProcess> SnapshotAll() override;
    bool WatchEnd(std::uint32_t id, std::function<void()> ended) override;
    void StopWatching() override;

private:
    struct Wait;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The session's processes whose name is in `names`; all of them when null.
    std::vector<RunningProcess> Query(const std::vector<std::wstring>* names);

    std::vector<std::unique_ptr<Wait>> waits_;
    std::uintptr_t lastCookie_ = 0;
    unsigned long lastSnapshotBytes_ = 0; // the size the last snapshot needed
};

} // namespace staywick
