#include "win/common/tray_driver.h"

#include "win/common/process_helpers.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

namespace staywick::test {

namespace {

constexpr wchar_t kPersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// The screen's pixels in a rectangle, 0x00RRGGBB, row by row.
std::vector<std::uint32_t> CaptureScreen(const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h);
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h; // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) {
        HGDIOBJ old = ::SelectObject(mem, dib);
        ::BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        ::GdiFlush();
        const auto* src = static_cast<const std::uint32_t*>(bits);
        std::transform(src, src + pixels.size(), pixels.begin(),
                       [](std::uint32_t p) { return p & 0xFFFFFF; });
        ::SelectObject(mem, old);
        ::DeleteObject(dib);
    }
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

bool FarFrom(std::uint32_t a, std::uint32_t b) {
    for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > 80)
            return true;
    }
    return false;
}

} // namespace

bool Xdotool(const std::string& args, DWORD timeoutMs) {
    return RunHostCommand("xdotool " + args, timeoutMs) == 0;
}

void PressKey(WORD vk) {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = vk;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    // The system's input queue keeps the keys' order; the menu's loop takes
    // them one by one.
    ::SendInput(2, input, sizeof(INPUT));
}

HWND TaskbarWindow() {
    // The real taskbar belongs to explorer; skip any stand-in of this process.
    HWND wnd = nullptr;
    while ((wnd = ::FindWindowExW(nullptr, wnd, L"Shell_TrayWnd", nullptr))) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(wnd, &pid);
        if (pid != ::GetCurrentProcessId() && ::IsWindowVisible(wnd))
            return wnd;
    }
    return nullptr;
}

std::optional<RECT> NotificationArea() {
    HWND taskbar = TaskbarWindow();
    RECT r;
    if (!taskbar || !::GetWindowRect(taskbar, &r))
        return std::nullopt;
    const int slot = ::GetSystemMetrics(SM_CXSMICON) + 4;
    r.left = std::max(r.left, r.right - 6 * slot);
    return r;
}

std::optional<TrayIconSeen> SeeTrayIcon() {
    const auto area = NotificationArea();
    if (!area)
        return std::nullopt;
    const int w = area->right - area->left, h = area->bottom - area->top;
    const auto pixels = CaptureScreen(*area);
    std::map<std::uint32_t, int> counts;
    for (auto p : pixels)
        ++counts[p];
    const std::uint32_t background =
        std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
        })->first;
    auto ink = [&](int x, int y) {
        return FarFrom(pixels[static_cast<std::size_t>(y) * w + x], background);
    };

    TrayIconSeen seen;
    RECT box{w, h, -1, -1};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!ink(x, y))
                continue;
            ++seen.inkPixels;
            box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                   std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
        }
    }
    if (seen.inkPixels == 0)
        return std::nullopt;
    int corner = 0;
    const int cw = std::max<int>(2, (box.right - box.left) / 4);
    const int ch = std::max<int>(2, (box.bottom - box.top) / 4);
    for (int y = box.top; y < box.top + ch; ++y)
        for (int x = box.left; x < box.left + cw; ++x)
            corner += ink(x, y) ? 1 : 0;
    seen.struck = corner >= 2;
    seen.bounds = {area->left + box.left, area->top + box.top, area->left + box.right,
                   area->top + box.bottom};
    return seen;
}

std::optional<TrayIconSeen> WaitForTrayIcon(bool present, DWORD timeoutMs) {
    std::optional<TrayIconSeen> seen;
    WaitUntil(timeoutMs, [&] { return (seen = SeeTrayIcon()).has_value() == present; });
    return seen;
}

bool ClickTrayIcon(int button) {
    const auto seen = SeeTrayIcon();
    if (!seen)
        return false;
    const POINT c = seen->Centre();
    std::ostringstream args;
    args << "mousemove " << c.x << " " << c.y << " click " << button;
    return Xdotool(args.str());
}

bool DoubleClickTrayIcon() {
    const auto seen = SeeTrayIcon();
    if (!seen)
        return false;
    const POINT c = seen->Centre();
    std::ostringstream args;
    args << "mousemove " << c.x << " " << c.y << " click --repeat 2 --delay 80 1";
    return Xdotool(args.str());
}

std::vector<HWND> VisibleMenus(DWORD processId) {
    std::vector<HWND> menus;
    HWND wnd = nullptr;
    while ((wnd = ::FindWindowExW(nullptr, wnd, L"#32768", nullptr))) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(wnd, &pid);
        if (pid == processId && ::IsWindowVisible(wnd))
            menus.push_back(wnd);
    }
    return menus;
}

HWND ProgramNotifyWindow() {
    return ::FindWindowW(L"TTrayIconNotifyWindow", nullptr);
}

ScopedPersonalizeValue::ScopedPersonalizeValue(const wchar_t* name, DWORD value) : name_(name) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kPersonalizeKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                          nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    DWORD size = 0;
    if (::RegQueryValueExW(key, name, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
        old_.resize(size);
        had_ = ::RegQueryValueExW(key, name, nullptr, &type_, old_.data(), &size) == ERROR_SUCCESS;
    }
    ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    ::RegCloseKey(key);
}

ScopedPersonalizeValue::~ScopedPersonalizeValue() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kPersonalizeKey, 0, KEY_ALL_ACCESS, &key) !=
        ERROR_SUCCESS)
        return;
    if (had_) {
        ::RegSetValueExW(key, name_.c_str(), 0, type_, old_.data(),
                         static_cast<DWORD>(old_.size()));
    } else {
        ::RegDeleteValueW(key, name_.c_str());
    }
    ::RegCloseKey(key);
}

StandInShell::StandInShell(bool refuse) : refuse_(refuse) {
    HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] { Run(ready); });
    ::WaitForSingleObject(ready, 5000);
    ::CloseHandle(ready);
}

StandInShell::~StandInShell() {
    if (threadId_)
        ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    if (thread_.joinable())
        thread_.join();
}

std::vector<std::string> StandInShell::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

std::vector<DWORD> StandInShell::Messages() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return messages_;
}

LRESULT CALLBACK StandInShell::Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        auto* self = reinterpret_cast<StandInShell*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (self && data && data->lpData) {
            std::lock_guard<std::mutex> lock(self->mutex_);
            self->requests_.emplace_back(static_cast<const char*>(data->lpData), data->cbData);
            self->messages_.push_back(static_cast<DWORD>(data->dwData));
        }
        return self && self->refuse_ ? FALSE : TRUE;
    }
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

void StandInShell::Run(HANDLE ready) {
    threadId_ = ::GetCurrentThreadId();
    WNDCLASSW wc{};
    wc.lpfnWndProc = &StandInShell::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Shell_TrayWnd";
    ::RegisterClassW(&wc);
    // Topmost, so that a search by class meets it before the real taskbar.
    wnd_ = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP, 0,
                             0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrW(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowPos(wnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); // the thread's queue exists from here
    ::SetEvent(ready);
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    ::DestroyWindow(wnd_);
    ::UnregisterClassW(L"Shell_TrayWnd", wc.hInstance);
}

DWORD RequestFlags(const std::string& bytes) {
    // The shell's record begins with the window (32 bits), uID and uFlags.
    constexpr std::size_t kFlagsOffset = 8;
    DWORD flags = 0;
    if (bytes.size() >= kFlagsOffset + sizeof(flags))
        std::memcpy(&flags, bytes.data() + kFlagsOffset, sizeof(flags));
    return flags;
}

bool HoldsText(const std::string& bytes, const std::wstring& text) {
    std::string needle(reinterpret_cast<const char*>(text.c_str()),
                       (text.size() + 1) * sizeof(wchar_t));
    return bytes.find(needle) != std::string::npos;
}

} // namespace staywick::test
