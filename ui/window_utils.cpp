#include "ui/window_utils.h"

#include "common/win32/handles.h"

#include <shellapi.h>

namespace staywick {

namespace {
std::function<void(const std::wstring&)> g_opener;
}

std::wstring WindowText(HWND wnd) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(wnd)) + 1, L'\0');
    const int n = ::GetWindowTextW(wnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return text;
}

int TextWidth(HWND control, HFONT font) {
    const std::wstring text = WindowText(control);
    if (!font)
        font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    const win32::WindowDc dc(control);
    const win32::SelectedObject selected(dc.Get(), font);
    RECT r{0, 0, 0, 0};
    ::DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r,
                DT_CALCRECT | DT_SINGLELINE);
    return r.right;
}

void OpenWebAddress(const std::wstring& address) {
    if (g_opener) {
        g_opener(address);
        return;
    }
    ::ShellExecuteW(nullptr, L"Open", address.c_str(), L"", L"", SW_SHOW);
}

void SetWebAddressOpener(std::function<void(const std::wstring&)> opener) {
    g_opener = std::move(opener);
}

} // namespace staywick
