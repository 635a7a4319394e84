#pragma once
// The running instance's main window, as a commanding process finds it: a
// top-level window of the class kMainWindowClass whose process runs an
// executable of this program's file name (an installed and a portable copy
// find each other). Any program can register that class; its windows are no
// instance: no command goes to them and nothing they send back is read.
#include <windows.h>

namespace staywick {

bool IsInstanceWindow(HWND wnd);
// The first such window, or nullptr.
HWND FindInstanceWindow();

} // namespace staywick
