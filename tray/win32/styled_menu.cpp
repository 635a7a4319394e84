#include "tray/win32/styled_menu.h"

#include "common/win32/handles.h"
#include "ui/visual_style.h"

#include <cwctype>

namespace staywick {

namespace {

using win32::GdiObject;
using win32::SelectedObject;

// The system's menu font, bold for the default item.
GdiObject MenuFont(bool bold) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    LOGFONTW font = metrics.lfMenuFont;
    if (bold)
        font.lfWeight = FW_BOLD;
    return GdiObject(::CreateFontIndirectW(&font));
}

int CheckColumnWidth() {
    return ::GetSystemMetrics(SM_CXMENUCHECK) + 8;
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

void MeasureStyledMenuItem(MEASUREITEMSTRUCT& mis, const TMenuItem& item) {
    if (item.IsSeparator()) {
        mis.itemWidth = 1;
        mis.itemHeight = ::GetSystemMetrics(SM_CYMENUSIZE) / 3;
        return;
    }
    win32::WindowDc screen(nullptr);
    GdiObject font = MenuFont(item.Default);
    SelectedObject selected(screen.Get(), font.Get());
    RECT text{};
    ::DrawTextW(screen.Get(), item.Caption().c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
    // Text between a check column on the left and an arrow column on the right.
    mis.itemWidth = static_cast<UINT>(text.right - text.left + 2 * CheckColumnWidth());
    const int textHeight = text.bottom - text.top + 8;
    const int minimum = ::GetSystemMetrics(SM_CYMENUSIZE);
    mis.itemHeight = static_cast<UINT>(textHeight > minimum ? textHeight : minimum);
}

void DrawStyledMenuItem(const DRAWITEMSTRUCT& dis, const TMenuItem& item) {
    const StyleColors colours = VisualStyle::Colors();
    HDC dc = dis.hDC;
    RECT rc = dis.rcItem;
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    const bool disabled = (dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;

    GdiObject background(
        ::CreateSolidBrush(selected && !disabled ? colours.highlight : colours.window));
    ::FillRect(dc, &rc, static_cast<HBRUSH>(background.Get()));
    if (item.IsSeparator()) {
        RECT line{rc.left + 4, (rc.top + rc.bottom) / 2, rc.right - 4,
                  (rc.top + rc.bottom) / 2 + 1};
        GdiObject brush(::CreateSolidBrush(colours.border));
        ::FillRect(dc, &line, static_cast<HBRUSH>(brush.Get()));
        return;
    }
    const COLORREF textColour =
        disabled ? colours.disabledText : (selected ? colours.highlightText : colours.text);
    const int column = CheckColumnWidth();
    if (item.Checked()) {
        DrawCheckMark(dc, RECT{rc.left, rc.top, rc.left + column, rc.bottom}, textColour);
    }
    RECT text{rc.left + column, rc.top, rc.right - column, rc.bottom};
    GdiObject font = MenuFont(item.Default);
    {
        SelectedObject selectedFont(dc, font.Get());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, textColour);
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
        // Underlines follow the system: hidden until the keyboard is used.
        if (dis.itemState & ODS_NOACCEL)
            format |= DT_HIDEPREFIX;
        ::DrawTextW(dc, item.Caption().c_str(), -1, &text, format);
    }
    if (item.Count() > 0) {
        const RECT arrow{rc.right - column, rc.top, rc.right, rc.bottom};
        DrawSubmenuArrow(dc, arrow, textColour);
        // The system draws its own (dark) arrow after this: keep it off ours.
        ::ExcludeClipRect(dc, arrow.left, arrow.top, arrow.right, arrow.bottom);
    }
    // Whatever the system still draws in this DC uses the look's colours.
    ::SetTextColor(dc, textColour);
    ::SetBkColor(dc, selected ? colours.highlight : colours.window);
}

LRESULT StyledMenuChar(wchar_t key, HMENU menu) {
    const wchar_t wanted = static_cast<wchar_t>(std::towupper(key));
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA | MIIM_FTYPE;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        const auto* item = reinterpret_cast<const TMenuItem*>(info.dwItemData);
        if (item && (info.fType & MFT_OWNERDRAW) && AccessKeyOf(item->Caption()) == wanted) {
            return MAKELRESULT(i, MNC_EXECUTE);
        }
    }
    return 0;
}

} // namespace staywick
