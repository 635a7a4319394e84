#pragma once
// What the program's dialogs share: where their resources come from, the
// texts of the string table, the modal run inside the application's own
// message loop, the look of the selected visual style, and scaling of
// layouts designed at a fixed resolution.
#include "common/win32/handles.h"
#include "ui/application.h"
#include "ui/dpi.h"

#include <windows.h>

#include <optional>
#include <span>
#include <string>

namespace staywick {

// The module holding the dialog templates, strings and icons: the running
// executable, unless a test loads Staywick.exe as a data file and sets it.
HINSTANCE ResourceModule();
void SetResourceModule(HINSTANCE module);

// A string-table text in its shown form (ui/shown_text.h).
std::wstring LoadResString(UINT id);

// Shows `dialog` and runs the application's message loop (its hook keeps
// seeing every queued message, timers keep firing) until `result` is set,
// the program is ending or the dialog is gone. The owner is disabled
// meanwhile. Returns the result, IDCANCEL when none was set.
int RunModal(Application& app, HWND dialog, HWND owner, const std::optional<int>& result);

// Layout values designed at `designDpi`, scaled to the window's resolution.
inline int Scale(int value, UINT dpi, UINT designDpi) {
    return ::MulDiv(value, static_cast<int>(dpi), static_cast<int>(designDpi));
}

// A control's box at a dialog's design resolution.
struct DesignedBox {
    int id;
    int left, top, width, height;
};
// Gives every listed control of `dlg` the font and its box scaled from
// `designDpi` to `dpi`.
void PlaceControls(HWND dlg, std::span<const DesignedBox> boxes, HFONT font, UINT dpi,
                   UINT designDpi);

// Gives a combo box's closed field `height` pixels, as near as the system allows.
void SetComboFieldHeight(HWND combo, int height);

// Sets a window's outer size so that its client area is width x height.
void SetClientSize(HWND wnd, int width, int height, UINT dpi);

// A dialog's layout as designed at `designDpi`: the font (face and character
// height), the controls' boxes and the client area.
struct DesignedDialog {
    const wchar_t* face;
    int fontHeight;
    std::span<const DesignedBox> boxes;
    int clientWidth, clientHeight;
    UINT designDpi;
};
// Applies `design` at `dpi`: `font` becomes the scaled font (the old one
// lives until every control has the new one), the controls are placed and
// the client area sized.
void LayOutDialog(HWND dlg, const DesignedDialog& design, win32::FontHandle& font, UINT dpi);

// Shows an open dialog again and brings it forward (its item chosen once more).
void BringForward(HWND dlg);

// A font of the given character height in pixels (negative lfHeight), as
// large as the user made the system's text (ui/dialog_font.h), in the
// designed face or the one the UI language needs.
HFONT CreateUiFont(const wchar_t* face, int pixelHeight, bool bold = false);

// Makes a dialog-like window follow the selected visual style.
void AttachLook(HWND wnd);
void DetachLook(HWND wnd);
// Colour messages and background erasing of the dark look; false when the
// standard look leaves them to the default handling.
bool HandleLookMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The look's colours for controls that paint themselves (the rich-text field).
bool LookIsDark();
COLORREF LookWindowColor();
COLORREF LookTextColor();

// For dialog procedures: the look's answer in the form a DLGPROC returns it.
bool HandleDialogLookMessage(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result);

// Stops the system from rescaling a template dialog by itself: its layout is
// applied by the program at every resolution change.
void DisableDialogAutoScaling(HWND dlg);

} // namespace staywick
