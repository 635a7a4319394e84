#pragma once
// The process watch on Windows: one query of the system's process list,
// filtered to the listed names in the user's session, and waits on process
// handles (SYNCHRONIZE) registered with the system thread pool. The pool's
// callback only posts a message to a hidden message-only window (made for
// the first wait), so every
// `ended` runs on the GUI thread; the program itself starts no thread.
#include "common/win32/handles.h"
#include "platform/process_watch.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

namespace staywick {

class ProcessWatchWin32 final : public ProcessWatch {
public:
    // Called inside a catch block when an `ended` handler throws, so that
    // nothing escapes the window procedure: the program's error report.
    using ErrorReport = bool (*)();

    explicit ProcessWatchWin32(ErrorReport reportError);
    ~ProcessWatchWin32() override;
    ProcessWatchWin32(const ProcessWatchWin32&) = delete;
    ProcessWatchWin32& operator=(const ProcessWatchWin32&) = delete;

    std::vector<RunningProcess> Snapshot(const std::vector<std::wstring>& names) override;
    std::optional<std::vector<RunningProcess>> SnapshotAll() override;
    bool WatchEnd(std::uint32_t id, std::function<void()> ended) override;
    void StopWatching() override;

private:
    struct Wait;
    // The window's procedure: the watch is kept in GWLP_USERDATA.
    static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Ended(std::uintptr_t cookie);
    bool EnsureWindow();
    // The session's processes whose name is in `names`; all of them when
    // null. Nothing when the system refuses the query.
    std::optional<std::vector<RunningProcess>> Query(const std::vector<std::wstring>* names);

    ErrorReport reportError_;
    win32::WindowHandle window_;
    std::vector<std::unique_ptr<Wait>> waits_;
    std::uintptr_t lastCookie_ = 0;
    unsigned long lastSnapshotBytes_ = 0; // the size the last snapshot needed
};

} // namespace staywick
