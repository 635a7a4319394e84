// The Win32 process watch: a snapshot holds only processes of the names
// asked for (compared as file names), and a wait reports a process's end on
// the GUI thread, through the message queue.
#include "common/app_error.h"
#include "common/scope_exit.h"
#include "platform/win32/process_watch_win32.h"
#include "ui/error_report.h"
#include "win/inproc/windows_test_support.h"
#include "win/common/process_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace staywick::test {
namespace {

std::wstring OwnFileName() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring full = path;
    return full.substr(full.find_last_of(L'\\') + 1);
}

std::wstring Upper(std::wstring text) {
    for (auto& c : text)
        c = (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    return text;
}

TEST(ProcessWatchWin32Test, SnapshotHoldsOnlyTheNamesAskedFor) {
    const std::wstring own = OwnFileName();
    const DWORD ownId = ::GetCurrentProcessId();
    struct Case {
        const char* name;
        std::vector<std::wstring> names;
        bool holdsThisProcess;
    };
    const Case cases[] = {
        {"own name", {own}, true},
        {"own name in capitals", {Upper(own)}, true},
        {"own name after one that does not run", {L"no-such-program.exe", own}, true},
        {"only a name that does not run", {L"no-such-program.exe"}, false},
        {"no names", {}, false},
    };
    ProcessWatchWin32 watch(&ReportCurrentException);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto found = watch.Snapshot(c.names);
        const bool holdsThis =
            std::any_of(found.begin(), found.end(), [&](const auto& p) { return p.id == ownId; });
        EXPECT_EQ(holdsThis, c.holdsThisProcess);
        if (!c.holdsThisProcess) {
            EXPECT_TRUE(found.empty());
        }
        for (const auto& process : found) {
            EXPECT_TRUE(SameFileName(process.fileName, own));
        }
    }
}

TEST(ProcessWatchWin32Test, AnEndedProcessIsReportedOnThisThread) {
    ProcessWatchWin32 watch(&ReportCurrentException);
    Process child = Process::Start(L"C:\\windows\\system32\\cmd.exe", L"/c exit");
    bool ended = false;
    DWORD thread = 0;
    ASSERT_TRUE(watch.WatchEnd(child.Id(), [&] {
        ended = true;
        thread = ::GetCurrentThreadId();
    }));
    EXPECT_TRUE(PumpUntil(10000, [&] { return ended; })) << "no end reported within 10 s";
    EXPECT_EQ(thread, ::GetCurrentThreadId());
}

TEST(ProcessWatchWin32Test, NoReportAfterStopWatching) {
    ProcessWatchWin32 watch(&ReportCurrentException);
    Process child = Process::Start(L"C:\\windows\\system32\\cmd.exe", L"/c exit");
    bool ended = false;
    ASSERT_TRUE(watch.WatchEnd(child.Id(), [&] { ended = true; }));
    watch.StopWatching();
    ASSERT_TRUE(child.WaitExit(10000).has_value());
    // No report may come: the queue is watched for half a second after the end.
    PumpUntil(500, [] { return false; });
    EXPECT_FALSE(ended);
}

TEST(ProcessWatchWin32Test, AnErrorInTheEndHandlerGoesToTheErrorReport) {
    std::vector<std::wstring> reports;
    SetErrorReportSink([&](const std::wstring& text) { reports.push_back(text); });
    const ScopeExit restore([] { SetErrorReportSink({}); });
    ProcessWatchWin32 watch(&ReportCurrentException);
    Process child = Process::Start(L"C:\\windows\\system32\\cmd.exe", L"/c exit");
    ASSERT_TRUE(watch.WatchEnd(child.Id(), [] { throw AppError(L"Cannot keep awake"); }));
    EXPECT_TRUE(PumpUntil(10000, [&] { return !reports.empty(); })) << "no report within 10 s";
    EXPECT_EQ(reports, std::vector<std::wstring>{L"Cannot keep awake"});
}

} // namespace
} // namespace staywick::test
