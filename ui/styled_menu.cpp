#include "ui/styled_menu.h"

#include "common/win32/handles.h"
#include "ui/dialog_support.h"
#include "ui/dpi.h"
#include "ui/visual_style.h"

#include <cwctype>
#include <vector>

namespace staywick {

void SetStyledItemData(StyledMenuItemData& data, const std::wstring& caption, const void* owner) {
    data.msaa.dwMSAASignature = static_cast<DWORD>(MSAA_MENU_SIG);
    data.msaa.cchWText = static_cast<DWORD>(caption.size()); // without the closing zero
    // Only read through it; the field is not const in the system's header.
    data.msaa.pszWText = const_cast<wchar_t*>(caption.c_str());
    data.owner = owner;
}

namespace {

using win32::GdiObject;
using win32::SelectedObject;

// The system's menu font at a DPI, bold for the default item.
GdiObject MenuFont(bool bold, UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    NonClientMetricsForDpi(metrics, dpi);
    LOGFONTW font = metrics.lfMenuFont;
    if (bold)
        font.lfWeight = FW_BOLD;
    return GdiObject(::CreateFontIndirectW(&font));
}

int CheckColumnWidth(UINT dpi) {
    return SystemMetricForDpi(SM_CXMENUCHECK, dpi) + Scale(8, dpi, USER_DEFAULT_SCREEN_DPI);
}

void DrawCheckMark(HDC dc, const RECT& box, COLORREF colour) {
    const int w = box.right - box.left, h = box.bottom - box.top;
    const int size = (w < h ? w : h) / 2;
    const int cx = box.left + w / 2, cy = box.top + h / 2;
    POINT points[3] = {
        {cx - size / 2, cy}, {cx - size / 6, cy + size / 3}, {cx + size / 2, cy - size / 3}};
    GdiObject pen(::CreatePen(PS_SOLID, size >= 8 ? 2 : 1, colour));
    SelectedObject selected(dc, pen.Get());
    ::Polyline(dc, points, 3);
}

// The mark of a checked radio item: a filled dot, as the standard look draws it.
void DrawRadioMark(HDC dc, const RECT& box, COLORREF colour) {
    const int w = box.right - box.left, h = box.bottom - box.top;
    const int radius = (w < h ? w : h) / 8 > 2 ? (w < h ? w : h) / 8 : 2;
    const int cx = box.left + w / 2, cy = box.top + h / 2;
    GdiObject brush(::CreateSolidBrush(colour));
    GdiObject pen(::CreatePen(PS_SOLID, 1, colour));
    SelectedObject b(dc, brush.Get());
    SelectedObject p(dc, pen.Get());
    ::Ellipse(dc, cx - radius, cy - radius, cx + radius + 1, cy + radius + 1);
}

void DrawSubmenuArrow(HDC dc, const RECT& box, COLORREF colour) {
    const int h = box.bottom - box.top;
    const int size = h / 4 > 3 ? h / 4 : 3;
    const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    POINT points[3] = {
        {cx - size / 2, cy - size}, {cx + size / 2 + 1, cy}, {cx - size / 2, cy + size}};
    GdiObject brush(::CreateSolidBrush(colour));
    GdiObject pen(::CreatePen(PS_SOLID, 1, colour));
    SelectedObject b(dc, brush.Get());
    SelectedObject p(dc, pen.Get());
    ::Polygon(dc, points, 3);
}

bool IsSeparatorAt(HMENU menu, int position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    return ::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info) &&
           (info.fType & MFT_SEPARATOR) != 0;
}

int HighlightedItem(HMENU menu) {
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE)
            return i;
    }
    return -1;
}

// The open menu window (class "#32768") of this thread that shows `menu`.
HWND OpenMenuWindow(HMENU menu) {
    struct Search {
        HMENU menu;
        HWND found;
    } search{menu, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND wnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t cls[16] = {};
            ::GetClassNameW(wnd, cls, 16);
            if (::lstrcmpW(cls, L"#32768") != 0 || !::IsWindowVisible(wnd))
                return TRUE;
            constexpr UINT kGetMenuHandle = 0x01E1; // MN_GETHMENU
            if (reinterpret_cast<HMENU>(::SendMessageW(wnd, kGetMenuHandle, 0, 0)) != s->menu)
                return TRUE;
            s->found = wnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

wchar_t AccessKeyOf(const std::wstring& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (caption[i + 1] == L'&') {
            ++i; // "&&" is a plain ampersand
            continue;
        }
        return static_cast<wchar_t>(std::towupper(caption[i + 1]));
    }
    return 0;
}

void MeasureStyledMenuItem(MEASUREITEMSTRUCT& mis, const StyledMenuItem& item, UINT dpi) {
    const int minimum = SystemMetricForDpi(SM_CYMENUSIZE, dpi);
    if (item.caption == L"-") {
        mis.itemWidth = 1;
        mis.itemHeight = static_cast<UINT>(minimum / 3);
        return;
    }
    win32::WindowDc screen(nullptr);
    GdiObject font = MenuFont(item.isDefault, dpi);
    SelectedObject selected(screen.Get(), font.Get());
    RECT text{};
    ::DrawTextW(screen.Get(), item.caption.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
    // Text between a check column on the left and an arrow column on the right.
    mis.itemWidth = static_cast<UINT>(text.right - text.left + 2 * CheckColumnWidth(dpi));
    const int textHeight = text.bottom - text.top + Scale(8, dpi, USER_DEFAULT_SCREEN_DPI);
    mis.itemHeight = static_cast<UINT>(textHeight > minimum ? textHeight : minimum);
}

void DrawStyledMenuItem(const DRAWITEMSTRUCT& dis, const StyledMenuItem& item, UINT dpi) {
    const StyleColors colours = VisualStyle::Colors();
    HDC dc = dis.hDC;
    RECT rc = dis.rcItem;
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    const bool disabled = (dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;

    GdiObject background(
        ::CreateSolidBrush(selected && !disabled ? colours.highlight : colours.window));
    ::FillRect(dc, &rc, static_cast<HBRUSH>(background.Get()));
    if (item.caption == L"-") {
        RECT line{rc.left + 4, (rc.top + rc.bottom) / 2, rc.right - 4,
                  (rc.top + rc.bottom) / 2 + 1};
        GdiObject brush(::CreateSolidBrush(colours.border));
        ::FillRect(dc, &line, static_cast<HBRUSH>(brush.Get()));
        return;
    }
    const COLORREF textColour =
        disabled ? colours.disabledText : (selected ? colours.highlightText : colours.text);
    const int column = CheckColumnWidth(dpi);
    if (item.checked) {
        const RECT mark{rc.left, rc.top, rc.left + column, rc.bottom};
        if (item.radio) {
            DrawRadioMark(dc, mark, textColour);
        } else {
            DrawCheckMark(dc, mark, textColour);
        }
    }
    RECT text{rc.left + column, rc.top, rc.right - column, rc.bottom};
    GdiObject font = MenuFont(item.isDefault, dpi);
    {
        SelectedObject selectedFont(dc, font.Get());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, textColour);
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
        // Underlines follow the system: hidden until the keyboard is used.
        if (dis.itemState & ODS_NOACCEL)
            format |= DT_HIDEPREFIX;
        ::DrawTextW(dc, item.caption.c_str(), -1, &text, format);
    }
    if (item.hasSubmenu) {
        const RECT arrow{rc.right - column, rc.top, rc.right, rc.bottom};
        DrawSubmenuArrow(dc, arrow, textColour);
        // The system draws its own (dark) arrow after this: keep it off ours.
        ::ExcludeClipRect(dc, arrow.left, arrow.top, arrow.right, arrow.bottom);
    }
    // Whatever the system still draws in this DC uses the look's colours.
    ::SetTextColor(dc, textColour);
    ::SetBkColor(dc, selected ? colours.highlight : colours.window);
}

LRESULT StyledMenuChar(wchar_t key, HMENU menu, const StyledCaptionOf& captionOf) {
    const wchar_t wanted = static_cast<wchar_t>(std::towupper(key));
    const int count = ::GetMenuItemCount(menu);
    std::vector<int> matches;
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA | MIIM_FTYPE;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if ((info.fType & MFT_OWNERDRAW) && info.dwItemData && captionOf &&
            AccessKeyOf(captionOf(info.dwItemData)) == wanted) {
            matches.push_back(i);
        }
    }
    if (matches.empty())
        return 0;
    if (matches.size() == 1)
        return MAKELRESULT(matches.front(), MNC_EXECUTE);
    // Several items share the key: the next one after the highlight, wrapping round.
    const int highlighted = HighlightedItem(menu);
    for (const int i : matches) {
        if (i > highlighted)
            return MAKELRESULT(i, MNC_SELECT);
    }
    return MAKELRESULT(matches.front(), MNC_SELECT);
}

void EnsureMenuItemHighlighted(HMENU menu, UINT position) {
    const int target = static_cast<int>(position);
    const int count = ::GetMenuItemCount(menu);
    if (target < 0 || target >= count || HighlightedItem(menu) == target)
        return;
    HWND window = OpenMenuWindow(menu);
    if (!window)
        return;
    // Each Down moves to the next item that is no separator, wrapping round;
    // with nothing highlighted the first Down takes the first item.
    int at = HighlightedItem(menu);
    int downs = 0;
    do {
        do {
            at = (at + 1) % count;
        } while (IsSeparatorAt(menu, at));
        ++downs;
    } while (at != target && downs <= count);
    for (int i = 0; i < downs; ++i) {
        ::PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(window, WM_KEYUP, VK_DOWN, 0xC0000001);
    }
}

UINT DpiAtPoint(POINT pt) {
    return MonitorDpi(::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST));
}

} // namespace staywick
