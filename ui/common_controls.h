#pragma once
// The common controls (comctl32), loaded when the first window that holds
// system controls needs them (a dialog, the About window, the debug window,
// an error box) rather than at start-up: importing the DLL loads it, with its
// classes and theming, into every start (under Wine about 3 MB and a
// noticeable part of the time until the program answers).
#include <windows.h>
#include <commctrl.h>

namespace staywick {

// Loads the controls the dialogs use (standard, link, up-down, hotkey) once; false
// when the system refuses them.
bool LoadCommonControls();

// The subclassing functions of the loaded DLL. Each loads the controls first;
// SubclassWindow and RemoveSubclass answer false should the DLL be missing,
// so no window is subclassed then.
bool SubclassWindow(HWND wnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
bool RemoveSubclass(HWND wnd, SUBCLASSPROC proc, UINT_PTR id);
LRESULT DefaultSubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace staywick
