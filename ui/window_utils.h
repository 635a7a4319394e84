#pragma once
// Small Win32 chores, each with one home: a window's text, the width of a
// one-line text in its font, and opening a web address in the browser.
#include <windows.h>

#include <functional>
#include <string>

namespace staywick {

// The whole text of a window or control, however long.
std::wstring WindowText(HWND wnd);

// Width in pixels of a control's one-line text drawn in `font` (the
// control's own font when nullptr); an "&" marks an access key and takes no room.
int TextWidth(HWND control, HFONT font = nullptr);

// Hands a web address to the shell ("Open"); the result is not checked, as
// nothing can be done about a missing browser.
void OpenWebAddress(const std::wstring& address);

// Tests see what would be handed to the shell; pass {} to restore.
void SetWebAddressOpener(std::function<void(const std::wstring&)> opener);

} // namespace staywick
