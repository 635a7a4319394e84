// Start-up time: from CreateProcess until the program's main window exists,
// for Staywick and for the minimal Win32 program; median of several runs
// and their ratio. Each run ends the program with WM_CLOSE.
//   startup_bench <runs>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::wstring BinDir() {
    wchar_t buf[MAX_PATH];
    std::wstring path(buf, ::GetModuleFileNameW(nullptr, buf, MAX_PATH));
    return path.substr(0, path.find_last_of(L'\\'));
}

// Milliseconds until a window of the class exists, or a negative value.
double TimeOneStart(const std::wstring& exe, const wchar_t* cls) {
    LARGE_INTEGER freq, t0, t1;
    ::QueryPerformanceFrequency(&freq);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe + L"\"";
    ::QueryPerformanceCounter(&t0);
    if (!::CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &si, &pi)) {
        return -1;
    }
    HWND wnd = nullptr;
    for (int i = 0; i < 200000 && !wnd; ++i) {
        wnd = ::FindWindowW(cls, nullptr);
        if (!wnd)
            ::Sleep(0);
    }
    ::QueryPerformanceCounter(&t1);
    if (wnd)
        ::PostMessageW(wnd, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0)
        ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    return wnd ? (t1.QuadPart - t0.QuadPart) * 1000.0 / freq.QuadPart : -1;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 9;
    const std::wstring dir = BinDir();
    std::vector<double> staywick, minimal;
    for (int i = 0; i < runs; ++i) { // interleaved, so drift hits both alike
        staywick.push_back(TimeOneStart(dir + L"\\Staywick.exe", L"TFrmStaywickMain"));
        minimal.push_back(TimeOneStart(dir + L"\\minimal_win32.exe", L"MinimalWin32Main"));
    }
    const double s = Median(staywick), m = Median(minimal);
    std::printf("start until main window, median of %d runs:\n", runs);
    std::printf("  Staywick.exe       %8.1f ms (min %.1f, max %.1f)\n", s,
                *std::min_element(staywick.begin(), staywick.end()),
                *std::max_element(staywick.begin(), staywick.end()));
    std::printf("  minimal Win32 exe  %8.1f ms (min %.1f, max %.1f)\n", m,
                *std::min_element(minimal.begin(), minimal.end()),
                *std::max_element(minimal.begin(), minimal.end()));
    std::printf("  ratio              %8.2f\n", m > 0 ? s / m : 0.0);
    return 0;
}
