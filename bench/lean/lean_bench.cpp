// Start-up time and resident memory of Staywick against the tray reference
// program, under Wine. Starts the two in turn (after one unmeasured warm-up
// start each) and prints the medians and their ratios:
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
    const wchar_t* file;
    const wchar_t* windowClass;
    std::vector<double> readyMs;
    std::vector<double> rssKb;
};

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

bool WriteText(const std::wstring& path, const std::wstring& text) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        return false;
    const std::string narrow(text.begin(), text.end());
    std::fwrite(narrow.data(), 1, narrow.size(), f);
    std::fclose(f);
    return true;
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

bool OneStart(Program& p, const std::wstring& dir, const std::wstring& sync, bool record) {
    const std::wstring exe = dir + L"\\" + p.file;
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
        std::fwprintf(stderr, L"%ls: idle wait %lu, rss %.0f, window %p\n", p.file, idle, rss,
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

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: lean_bench <runs> <sync folder>\n");
        return 2;
    }
    const int runs = std::max(1, _wtoi(argv[1]));
    const std::wstring sync = argv[2];
    const std::wstring dir = BinDir();
    Program staywick{L"Staywick.exe", L"TFrmStaywickMain", {}, {}};
    Program reference{L"tray_reference.exe", L"TrayReferenceMain", {}, {}};
    // Warm-up: the first start of each loads its DLLs from disk.
    if (!OneStart(staywick, dir, sync, false) || !OneStart(reference, dir, sync, false))
        return 1;
    for (int i = 0; i < runs; ++i) { // interleaved, so drift hits both alike
        if (!OneStart(staywick, dir, sync, true) || !OneStart(reference, dir, sync, true))
            return 1;
    }
    const double sReady = Median(staywick.readyMs), rReady = Median(reference.readyMs);
    const double sRss = Median(staywick.rssKb), rRss = Median(reference.rssKb);
    std::printf("exe size: Staywick.exe %lld bytes, tray_reference.exe %lld bytes\n",
                FileSize(dir + L"\\Staywick.exe"), FileSize(dir + L"\\tray_reference.exe"));
    std::printf("median of %d starts each (interleaved, after one warm-up start):\n", runs);
    std::printf("  ready (WaitForInputIdle)  Staywick %7.1f ms  reference %7.1f ms  ratio %.2f\n",
                sReady, rReady, rReady > 0 ? sReady / rReady : 0.0);
    std::printf("  resident memory at 3 s    Staywick %7.1f MB  reference %7.1f MB  ratio %.2f\n",
                sRss / 1024, rRss / 1024, rRss > 0 ? sRss / rRss : 0.0);
    const double sMin = *std::min_element(staywick.readyMs.begin(), staywick.readyMs.end());
    const double rMin = *std::min_element(reference.readyMs.begin(), reference.readyMs.end());
    // On a busy machine the fastest starts show the programs' own cost best.
    std::printf("  ready min/max             Staywick %.1f/%.1f ms  reference %.1f/%.1f ms"
                "  ratio of minima %.2f\n",
                sMin, *std::max_element(staywick.readyMs.begin(), staywick.readyMs.end()), rMin,
                *std::max_element(reference.readyMs.begin(), reference.readyMs.end()),
                rMin > 0 ? sMin / rMin : 0.0);
    return 0;
}
