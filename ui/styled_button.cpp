#include "ui/styled_button.h"

#include "common/win32/handles.h"
#include "ui/common_controls.h"
#include "ui/dpi.h"
#include "ui/visual_style.h"
#include "ui/window_utils.h"

#include <commctrl.h>

#include <string>

namespace staywick {

namespace {

using win32::GdiObject;
using win32::SelectedObject;

constexpr UINT_PTR kSubclassId = 0x5357; // one id per control is enough

void Frame(HDC dc, const RECT& rc, COLORREF fill, COLORREF border) {
    GdiObject brush(::CreateSolidBrush(fill));
    GdiObject pen(::CreatePen(PS_SOLID, 1, border));
    SelectedObject b(dc, brush.Get());
    SelectedObject p(dc, pen.Get());
    ::Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
}

void Paint(HWND wnd, HDC dc) {
    const StyleColors colours = VisualStyle::Colors();
    RECT rc;
    ::GetClientRect(wnd, &rc);
    const LONG style = ::GetWindowLongW(wnd, GWL_STYLE);
    const LONG type = style & BS_TYPEMASK;
    const LRESULT state = ::SendMessageW(wnd, BM_GETSTATE, 0, 0);
    const bool enabled = ::IsWindowEnabled(wnd) != FALSE;
    const bool focused = ::GetFocus() == wnd;
    const bool pushed = (state & BST_PUSHED) != 0;
    const LRESULT ui = ::SendMessageW(wnd, WM_QUERYUISTATE, 0, 0);

    const std::wstring text = WindowText(wnd);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(wnd, WM_GETFONT, 0, 0));
    SelectedObject selectedFont(dc, font ? static_cast<HGDIOBJ>(font)
                                         : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, enabled ? colours.text : colours.disabledText);
    UINT format = DT_SINGLELINE | DT_VCENTER;
    if (ui & UISF_HIDEACCEL)
        format |= DT_HIDEPREFIX;

    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
        const bool isDefault = type == BS_DEFPUSHBUTTON;
        Frame(dc, rc, pushed ? colours.controlHot : colours.control,
              isDefault || focused ? colours.accent : colours.border);
        RECT textRect = rc;
        if (pushed)
            ::OffsetRect(&textRect, 1, 1);
        ::DrawTextW(dc, text.c_str(), -1, &textRect, format | DT_CENTER);
        if (focused && !(ui & UISF_HIDEFOCUS)) {
            RECT focus = rc;
            ::InflateRect(&focus, -3, -3);
            ::DrawFocusRect(dc, &focus);
        }
        return;
    }
    ::FillRect(dc, &rc, VisualStyle::WindowBrush());
    const int box = ::MulDiv(13, static_cast<int>(WindowDpi(wnd)), 96);
    const int top = (rc.top + rc.bottom - box) / 2;
    RECT boxRect{rc.left, top, rc.left + box, top + box};
    const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    const LRESULT check = ::SendMessageW(wnd, BM_GETCHECK, 0, 0);
    const COLORREF mark = enabled ? colours.text : colours.disabledText;
    if (radio) {
        GdiObject brush(::CreateSolidBrush(pushed ? colours.controlHot : colours.control));
        GdiObject pen(::CreatePen(PS_SOLID, 1, colours.border));
        SelectedObject b(dc, brush.Get());
        SelectedObject p(dc, pen.Get());
        ::Ellipse(dc, boxRect.left, boxRect.top, boxRect.right, boxRect.bottom);
        if (check == BST_CHECKED) {
            GdiObject dot(::CreateSolidBrush(mark));
            SelectedObject d(dc, dot.Get());
            const int inset = box / 4 + 1;
            ::Ellipse(dc, boxRect.left + inset, boxRect.top + inset, boxRect.right - inset,
                      boxRect.bottom - inset);
        }
    } else {
        Frame(dc, boxRect, pushed ? colours.controlHot : colours.control, colours.border);
        if (check == BST_CHECKED) {
            GdiObject pen(::CreatePen(PS_SOLID, box >= 16 ? 2 : 1, mark));
            SelectedObject p(dc, pen.Get());
            POINT points[3] = {{boxRect.left + box / 5, top + box / 2},
                               {boxRect.left + box * 2 / 5, top + box * 3 / 4},
                               {boxRect.right - box / 5, top + box / 4}};
            ::Polyline(dc, points, 3);
        } else if (check == BST_INDETERMINATE) {
            RECT inner = boxRect;
            ::InflateRect(&inner, -box / 4, -box / 4);
            GdiObject brush(::CreateSolidBrush(colours.disabledText));
            ::FillRect(dc, &inner, static_cast<HBRUSH>(brush.Get()));
        }
    }
    RECT textRect{boxRect.right + box / 2, rc.top, rc.right, rc.bottom};
    RECT measured = textRect;
    ::DrawTextW(dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
    ::DrawTextW(dc, text.c_str(), -1, &textRect, format);
    if (focused && !(ui & UISF_HIDEFOCUS)) {
        RECT focus{
            textRect.left - 1, (rc.top + rc.bottom - (measured.bottom - measured.top)) / 2 - 1,
            measured.right + 1, (rc.top + rc.bottom + (measured.bottom - measured.top)) / 2 + 1};
        ::DrawFocusRect(dc, &focus);
    }
}

LRESULT CALLBACK ButtonProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_NCDESTROY) {
        RemoveSubclass(wnd, &ButtonProc, kSubclassId);
        return DefaultSubclassProc(wnd, msg, wParam, lParam);
    }
    if (!VisualStyle::IsDark())
        return DefaultSubclassProc(wnd, msg, wParam, lParam);
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(wnd, &ps);
        Paint(wnd, dc);
        ::EndPaint(wnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(wnd, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_UPDATEUISTATE: {
        // The control paints these changes directly: paint ours over them at once.
        const LRESULT result = DefaultSubclassProc(wnd, msg, wParam, lParam);
        if (::IsWindow(wnd)) {
            win32::WindowDc dc(wnd);
            Paint(wnd, dc.Get());
        }
        return result;
    }
    default:
        return DefaultSubclassProc(wnd, msg, wParam, lParam);
    }
}

} // namespace

void AttachStyledButton(HWND button) {
    const LONG type = ::GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK;
    switch (type) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        SubclassWindow(button, &ButtonProc, kSubclassId, 0);
        break;
    default:
        break; // group boxes, owner-drawn and others keep their own painting
    }
}

} // namespace staywick
