// Start-up time and resident memory of Staywick against the tray reference
// program, under Wine. Staywick runs twice over, as a portable copy with
// nothing chosen and as one with every choice on (its own settings file: the
// listed programs, the schedule, the pauses, the lock choice and the hotkey).
// Starts the three in turn (after one unmeasured warm-up start each) and
// prints the medians and their ratios:
//   lean_bench <runs> <sync folder>
// Ready time is from CreateProcess until the program first waits for input
// (WaitForInputIdle) and its main window exists. Memory is read 3 s after the start from the Linux
// side, because Wine's GetProcessMemoryInfo returns zeros: for each start this program writes
// "<sync>\measure.req" with the exe's path and waits for the bench script to answer with the
// resident size in KB in "<sync>\measure.rss".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Program {
    const wchar_t* name;
    std::wstring exe;
    const wchar_t* windowClass;
    std::vector<double> readyMs;
    std::vector<double> rssKb;
};

// Every choice on; none of the listed programs runs, and the schedule (every
// day, all day) keeps the computer awake. Ctrl+Alt+F11 as the hotkey.
constexpr char kEveryChoice[] =
    "[General]\r\nActive=0\r\nHotkey=1658\r\n"
    "WhilePrograms=obs64.exe;vlc.exe;zoom.exe;teams.exe;mstsc.exe\r\n"
    "ScheduleDays=127\r\nScheduleFrom=0\r\nScheduleTo=0\r\nPauseOnBattery=1\r\n"
    "PauseBelowBattery=20\r\nPauseOnLidClosed=1\r\nDisplayOffWhenLocked=1\r\n";
// A portable settings file with nothing in it: every default.
constexpr char kNothingChosen[] = "[General]\r\n";

std::wstring BinDir() {
    wchar_t buf[MAX_PATH];
    std::wstring path(buf, ::GetModuleFileNameW(nullptr, buf, MAX_PATH));
    return path.substr(0, path.find_last_of(L'\\'));
}

double Ms(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER freq;
    ::QueryPerformanceFrequency(&freq);
    return (to.QuadPart - from.QuadPart) * 1000.0 / freq.QuadPart;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        return false;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return true;
}

bool WriteText(const std::wstring& path, const std::wstring& text) {
    return WriteBytes(path, std::string(text.begin(), text.end()));
}

// A portable copy of Staywick.exe in <sync>\<folder> with its settings file;
// the path of the copy, or an empty text when it cannot be made.
std::wstring PortableCopy(const std::wstring& bin, const std::wstring& sync, const wchar_t* folder,
                          const char* settings) {
    const std::wstring dir = sync + L"\\" + folder;
    const std::wstring exe = dir + L"\\Staywick.exe";
    ::CreateDirectoryW(dir.c_str(), nullptr);
    if (!::CopyFileW((bin + L"\\Staywick.exe").c_str(), exe.c_str(), FALSE) ||
        !WriteBytes(dir + L"\\Staywick.Settings", settings)) {
        std::fwprintf(stderr, L"cannot make %ls\n", exe.c_str());
        return {};
    }
    return exe;
}

// Asks the bench script for the resident size of the process started from
// exe; -1 when no answer comes.
double AskRss(const std::wstring& sync, const std::wstring& exe) {
    const std::wstring answer = sync + L"\\measure.rss";
    ::DeleteFileW(answer.c_str());
    if (!WriteText(sync + L"\\measure.tmp", exe))
        return -1;
    ::MoveFileExW((sync + L"\\measure.tmp").c_str(), (sync + L"\\measure.req").c_str(),
                  MOVEFILE_REPLACE_EXISTING);
    for (int i = 0; i < 2000; ++i) { // the script answers within milliseconds
        FILE* f = _wfopen(answer.c_str(), L"rb");
        if (f) {
            double kb = -1;
            const int got = std::fscanf(f, "%lf", &kb);
            std::fclose(f);
            if (got == 1) {
                ::DeleteFileW(answer.c_str());
                return kb;
            }
        }
        ::Sleep(5);
    }
    return -1;
}

bool OneStart(Program& p, const std::wstring& sync, bool record) {
    const std::wstring& exe = p.exe;
    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER t0, t1;
    ::QueryPerformanceCounter(&t0);
    if (!::CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &si, &pi)) {
        std::fwprintf(stderr, L"cannot start %ls\n", exe.c_str());
        return false;
    }
    const DWORD idle = ::WaitForInputIdle(pi.hProcess, 30000);
    // Under a heavily loaded Wine, WaitForInputIdle can return before the
    // program has made its window: ready means both.
    HWND wnd = nullptr;
    for (int i = 0; i < 30000 && !(wnd = ::FindWindowW(p.windowClass, nullptr)); ++i)
        ::Sleep(1);
    ::QueryPerformanceCounter(&t1);
    const double ready = Ms(t0, t1);
    // The memory point is 3 s after the start (or the ready point, if later).
    const double left = 3000.0 - ready;
    if (left > 0)
        ::Sleep(static_cast<DWORD>(left));
    const double rss = AskRss(sync, exe);
    if (wnd)
        ::PostMessageW(wnd, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
        ::TerminateProcess(pi.hProcess, 1);
        ::WaitForSingleObject(pi.hProcess, 5000);
    }
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    if (idle != 0 || rss <= 0 || !wnd) {
        std::fwprintf(stderr, L"%ls: idle wait %lu, rss %.0f, window %p\n", p.name, idle, rss,
                      static_cast<void*>(wnd));
        return false;
    }
    if (record) {
        p.readyMs.push_back(ready);
        p.rssKb.push_back(rss);
    }
    return true;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

long long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void PrintRatios(const Program& p, const Program& reference) {
    const double ready = Median(p.readyMs), rReady = Median(reference.readyMs);
    const double rss = Median(p.rssKb), rRss = Median(reference.rssKb);
    const double min = *std::min_element(p.readyMs.begin(), p.readyMs.end());
    const double rMin = *std::min_element(reference.readyMs.begin(), reference.readyMs.end());
    std::printf("%ls:\n", p.name);
    std::printf("  ready (WaitForInputIdle)  Staywick %7.1f ms  reference %7.1f ms  ratio %.2f\n",
                ready, rReady, rReady > 0 ? ready / rReady : 0.0);
    std::printf("  resident memory at 3 s    Staywick %7.1f MB  reference %7.1f MB  ratio %.2f\n",
                rss / 1024, rRss / 1024, rRss > 0 ? rss / rRss : 0.0);
    // On a busy machine the fastest starts show the programs' own cost best.
    std::printf("  ready min/max             Staywick %.1f/%.1f ms  reference %.1f/%.1f ms"
                "  ratio of minima %.2f\n",
                min, *std::max_element(p.readyMs.begin(), p.readyMs.end()), rMin,
                *std::max_element(reference.readyMs.begin(), reference.readyMs.end()),
                rMin > 0 ? min / rMin : 0.0);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: lean_bench <runs> <sync folder>\n");
        return 2;
    }
    const int runs = std::max(1, _wtoi(argv[1]));
    const std::wstring sync = argv[2];
    const std::wstring bin = BinDir();
    Program plain{L"nothing chosen",
                  PortableCopy(bin, sync, L"plain", kNothingChosen),
                  L"TFrmStaywickMain",
                  {},
                  {}};
    Program every{L"every choice on",
                  PortableCopy(bin, sync, L"every", kEveryChoice),
                  L"TFrmStaywickMain",
                  {},
                  {}};
    Program reference{
        L"tray reference", bin + L"\\tray_reference.exe", L"TrayReferenceMain", {}, {}};
    if (plain.exe.empty() || every.exe.empty())
        return 1;
    Program* order[] = {&plain, &every, &reference};
    // Warm-up: the first start of each loads its DLLs from disk.
    for (Program* p : order) {
        if (!OneStart(*p, sync, false))
            return 1;
    }
    for (int i = 0; i < runs; ++i) { // interleaved, so drift hits all alike
        for (Program* p : order) {
            if (!OneStart(*p, sync, true))
                return 1;
        }
    }
    std::printf("exe size: Staywick.exe %lld bytes, tray_reference.exe %lld bytes\n",
                FileSize(bin + L"\\Staywick.exe"), FileSize(reference.exe));
    std::printf("median of %d starts each (interleaved, after one warm-up start):\n", runs);
    PrintRatios(plain, reference);
    PrintRatios(every, reference);
    return 0;
}
