#pragma once
// A window's text, read whole: the program's own controls and the windows of
// other programs alike.
#include <windows.h>

#include <string>

namespace staywick {

// The whole text of a window or control, however long; empty when it has none.
std::wstring WindowText(HWND wnd);

} // namespace staywick
