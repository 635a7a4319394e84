#include "ui/control_text.h"

#include "common/win32/handles.h"
#include "ui/window_utils.h"

#include <commctrl.h>

#include <string>

namespace staywick {

ControlKind KindOfControl(HWND wnd) {
    wchar_t cls[32] = {};
    ::GetClassNameW(wnd, cls, 32);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(wnd, GWL_STYLE));
    if (::lstrcmpiW(cls, L"Static") == 0) {
        switch (style & SS_TYPEMASK) {
        case SS_LEFT:
        case SS_CENTER:
        case SS_RIGHT:
        case SS_SIMPLE:
        case SS_LEFTNOWORDWRAP:
            return ControlKind::Label;
        default:
            return ControlKind::Other; // pictures and frames
        }
    }
    if (::lstrcmpiW(cls, L"Button") == 0) {
        switch (style & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_AUTORADIOBUTTON:
            return ControlKind::Check;
        case BS_GROUPBOX:
            return ControlKind::Other;
        default:
            return ControlKind::Push; // push buttons, also owner-drawn ones
        }
    }
    if (::lstrcmpiW(cls, L"Edit") == 0 || ::lstrcmpiW(cls, HOTKEY_CLASSW) == 0)
        return ControlKind::Field;
    if (::lstrcmpiW(cls, L"ComboBox") == 0)
        return ControlKind::Combo;
    if (::lstrcmpiW(cls, UPDOWN_CLASSW) == 0)
        return ControlKind::Arrows;
    return ControlKind::Other;
}

namespace {

HFONT FontOf(HWND wnd) {
    return reinterpret_cast<HFONT>(::SendMessageW(wnd, WM_GETFONT, 0, 0));
}

} // namespace

int TextLineHeight(HWND wnd) {
    const win32::WindowDc dc(wnd);
    const win32::SelectedObject font(dc.Get(), FontOf(wnd));
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc.Get(), &tm);
    return tm.tmHeight;
}

// The height of the control's text wrapped at `width`, as a static draws it.
int WrappedTextHeight(HWND wnd, int width) {
    const std::wstring text = WindowText(wnd);
    const win32::WindowDc dc(wnd);
    const win32::SelectedObject font(dc.Get(), FontOf(wnd));
    RECT r{0, 0, width, 0};
    ::DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r,
                DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    return r.bottom - r.top;
}

} // namespace staywick
