// The physical limit for a tray utility: one hidden window, one
// notification-area icon and a message loop, built with Staywick's flags.
// The lean benchmark measures Staywick against it.
#include <windows.h>
#include <shellapi.h>

namespace {

constexpr UINT kTrayCallback = WM_APP + 1;

NOTIFYICONDATAW TrayRecord(HWND wnd) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = wnd;
    nid.uID = 1;
    return nid;
}

LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        NOTIFYICONDATAW nid = TrayRecord(wnd);
        ::Shell_NotifyIconW(NIM_DELETE, &nid);
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = L"TrayReferenceMain";
    ::RegisterClassW(&wc);
    HWND wnd = ::CreateWindowExW(0, wc.lpszClassName, L"Tray reference", WS_POPUP, 0, 0, 0, 0,
                                 nullptr, nullptr, instance, nullptr);
    NOTIFYICONDATAW nid = TrayRecord(wnd);
    nid.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    nid.uCallbackMessage = kTrayCallback;
    nid.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpynW(nid.szTip, L"Tray reference", ARRAYSIZE(nid.szTip));
    ::Shell_NotifyIconW(NIM_ADD, &nid);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
