#include "ui/window_utils.h"

#include "common/app_error.h"
#include "common/scope_exit.h"
#include "common/win32/handles.h"
#include "common/win32/system_message.h"

#include <shellapi.h>

#include <algorithm>

namespace staywick {

namespace {
std::function<void(const std::wstring&)> g_opener;
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

int PlainTextWidth(HWND wnd, HFONT font, const std::wstring& text) {
    const win32::WindowDc dc(wnd);
    const win32::SelectedObject selected(dc.Get(), font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
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

void PutTextOnClipboard(HWND owner, const std::wstring& text, const ClipboardCalls& calls) {
    if (!calls.open(owner))
        throw AppError(L"Cannot open clipboard");
    ScopeExit close([&calls] { calls.close(); });
    calls.empty();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        throw AppError(L"Out of memory");
    // Ours until the clipboard takes it.
    ScopeExit release([&memory] {
        if (memory)
            ::GlobalFree(memory);
    });
    auto* target = static_cast<wchar_t*>(calls.lock(memory));
    if (!target)
        throw AppError(L"Out of memory");
    std::copy(text.c_str(), text.c_str() + text.size() + 1, target);
    ::GlobalUnlock(memory);
    if (!calls.set(CF_UNICODETEXT, memory)) {
        const DWORD error = ::GetLastError();
        throw AppError(L"Cannot copy the text to the clipboard. " + SystemErrorMessage(error));
    }
    memory = nullptr; // the clipboard owns it now
}

} // namespace staywick
