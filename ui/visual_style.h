#pragma once
// The program's two looks. "Windows10 Dark" is drawn by the program itself
// (owner-drawn menu items, dark dialog colours, self-painted buttons), so it
// shows the same wherever the system offers no dark menus; "Windows" is the
// system's standard look. In high-contrast mode the standard look is always
// used, whatever style is selected, so the user's contrast colours win.
//
// Dialog-like windows use it like this:
//   on creation:        VisualStyle::AttachWindow(hwnd);      // restyles on every switch
//   in the window proc: LRESULT r; if (VisualStyle::HandleWindowMessage(hwnd, msg, wp, lp, r))
//   return r; on destruction:     VisualStyle::DetachWindow(hwnd);
// AttachWindow also paints the window's push buttons and check boxes dark
// while the dark look is in force (they keep their normal behaviour).
#include <windows.h>

#include <string>

namespace staywick {

inline constexpr wchar_t kDarkStyleName[] = L"Windows10 Dark";
inline constexpr wchar_t kStandardStyleName[] = L"Windows";

enum class StyleKind { Standard, Dark };

// Colours of the look in force (the dark palette, or the system colours).
struct StyleColors {
    COLORREF window;        // dialog and menu background
    COLORREF control;       // buttons, check boxes, edit fields
    COLORREF controlHot;    // a button under the mouse or pressed
    COLORREF text;          // normal text
    COLORREF disabledText;  // greyed items and controls
    COLORREF highlight;     // selected menu item
    COLORREF highlightText; // text on the highlight
    COLORREF border;        // control frames and separators
    COLORREF accent;        // default button frame, focus marks
};

class VisualStyle {
public:
    // Makes a style the program's style and restyles every attached window.
    static void Select(StyleKind kind);
    static StyleKind Selected() noexcept;
    static const wchar_t* SelectedName() noexcept; // kDarkStyleName or kStandardStyleName

    // True when the program draws its dark look now: dark selected and no high contrast.
    static bool IsDark();
    // The system's high-contrast flag, or a scheme whose colours are a
    // high-contrast set (common/contrast.h).
    static bool IsHighContrast();

    static StyleColors Colors();
    // Solid brushes of the current look, owned here (do not delete them).
    static HBRUSH WindowBrush();
    static HBRUSH ControlBrush();

    // Windows that follow the style (see the top of this file).
    static void AttachWindow(HWND wnd);
    static void DetachWindow(HWND wnd);
    // WM_CTLCOLORDLG/STATIC/BTN/EDIT/LISTBOX and WM_ERASEBKGND in the dark look;
    // returns false (nothing done) in the standard look and for other messages.
    static bool HandleWindowMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result);
    // Paints a push button or check box dark while the dark look is in force
    // (AttachWindow does this for the window's buttons already).
    static void AttachButton(HWND button);

    // Sent to every attached window after a switch, so controls that paint
    // themselves (the rich-text field) can take the new colours.
    static UINT LookChangedMessage();

    // Tests stand in for the system's high-contrast setting; nullptr restores it.
    static void SetHighContrastReader(bool (*reader)());
};

// DwmSetWindowAttribute's form (dwmapi is loaded on first use).
using SetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
// Asks for a dark (or light) title bar: attribute 20, or 19 where 20 is
// refused (Windows 10 1809 to 1909). Returns the attribute that was taken, 0
// when neither was (older systems have no dark title bar).
DWORD SetDarkTitleBar(HWND wnd, bool dark, SetWindowAttributeFn setAttribute);

} // namespace staywick
