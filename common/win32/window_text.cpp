#include "common/win32/window_text.h"

namespace staywick {

std::wstring WindowText(HWND wnd) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(wnd)) + 1, L'\0');
    const int n = ::GetWindowTextW(wnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return text;
}

} // namespace staywick
