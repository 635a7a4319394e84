#include "ui/visual_style.h"

#include "common/contrast.h"
#include "common/win32/handles.h"
#include "platform/win32/on_demand.h"
#include "ui/styled_button.h"

#include <algorithm>
#include <vector>

namespace staywick {

namespace {

// The dark palette: close to the system's own dark menus.
constexpr StyleColors kDarkColors{
    RGB(0x2B, 0x2B, 0x2B), // window
    RGB(0x3C, 0x3C, 0x3C), // control
    RGB(0x50, 0x50, 0x50), // controlHot
    RGB(0xF2, 0xF2, 0xF2), // text
    RGB(0x8C, 0x8C, 0x8C), // disabledText
    RGB(0x48, 0x48, 0x48), // highlight
    RGB(0xFF, 0xFF, 0xFF), // highlightText
    RGB(0x6A, 0x6A, 0x6A), // border
    RGB(0x4C, 0xA0, 0xE0), // accent
};

struct StyleState {
    StyleKind selected = StyleKind::Standard;
    bool (*highContrastReader)() = nullptr;
    std::vector<HWND> windows;
    win32::GdiObject windowBrush{::CreateSolidBrush(kDarkColors.window)};
    win32::GdiObject controlBrush{::CreateSolidBrush(kDarkColors.control)};
};

StyleState& State() {
    static StyleState state;
    return state;
}

// The title bar follows on systems that offer a dark frame; elsewhere this
// does nothing.
void ApplyFrame(HWND wnd, bool dark) {
    // dwmapi only once a window needs its frame.
    static const auto setAttribute =
        win32::OnDemandFunction<SetWindowAttributeFn>(L"dwmapi.dll", "DwmSetWindowAttribute");
    if (setAttribute)
        SetDarkTitleBar(wnd, dark, setAttribute);
}

BOOL CALLBACK AttachChildButton(HWND child, LPARAM) {
    wchar_t cls[16] = {};
    ::GetClassNameW(child, cls, 16);
    if (::lstrcmpiW(cls, L"Button") == 0)
        VisualStyle::AttachButton(child);
    return TRUE;
}

} // namespace

DWORD SetDarkTitleBar(HWND wnd, bool dark, SetWindowAttributeFn setAttribute) {
    const BOOL value = dark ? TRUE : FALSE;
    // DWMWA_USE_IMMERSIVE_DARK_MODE since Windows 10 20H1; the same switch
    // had the number 19 from 1809 to 1909. Under Wine both answer S_OK and
    // change nothing.
    for (const DWORD attribute : {DWORD{20}, DWORD{19}}) {
        if (SUCCEEDED(setAttribute(wnd, attribute, &value, sizeof(value))))
            return attribute;
    }
    return 0;
}

void VisualStyle::Select(StyleKind kind) {
    StyleState& state = State();
    state.selected = kind;
    const bool dark = IsDark();
    // A copy: a window may detach itself while it is told.
    const std::vector<HWND> windows = state.windows;
    for (HWND wnd : windows) {
        ApplyFrame(wnd, dark);
        ::SendMessageW(wnd, LookChangedMessage(), 0, 0);
        ::RedrawWindow(wnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

UINT VisualStyle::LookChangedMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"StaywickLookChanged");
    return message;
}

StyleKind VisualStyle::Selected() noexcept {
    return State().selected;
}

const wchar_t* VisualStyle::SelectedName() noexcept {
    return State().selected == StyleKind::Dark ? kDarkStyleName : kStandardStyleName;
}

void VisualStyle::SetHighContrastReader(bool (*reader)()) {
    State().highContrastReader = reader;
}

bool VisualStyle::IsHighContrast() {
    if (State().highContrastReader)
        return State().highContrastReader();
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    if (::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0) {
        return true;
    }
    // A contrast scheme chosen by its colours alone (and Wine, whose flag is
    // always off) counts as well: the user's colours must win either way.
    return IsHighContrastPalette(SystemPalette{.window = ::GetSysColor(COLOR_WINDOW),
                                               .windowText = ::GetSysColor(COLOR_WINDOWTEXT),
                                               .buttonFace = ::GetSysColor(COLOR_BTNFACE),
                                               .buttonText = ::GetSysColor(COLOR_BTNTEXT)});
}

bool VisualStyle::IsDark() {
    return State().selected == StyleKind::Dark && !IsHighContrast();
}

StyleColors VisualStyle::Colors() {
    if (IsDark())
        return kDarkColors;
    return StyleColors{
        ::GetSysColor(COLOR_MENU),          ::GetSysColor(COLOR_BTNFACE),
        ::GetSysColor(COLOR_BTNHIGHLIGHT),  ::GetSysColor(COLOR_MENUTEXT),
        ::GetSysColor(COLOR_GRAYTEXT),      ::GetSysColor(COLOR_HIGHLIGHT),
        ::GetSysColor(COLOR_HIGHLIGHTTEXT), ::GetSysColor(COLOR_BTNSHADOW),
        ::GetSysColor(COLOR_HOTLIGHT),
    };
}

HBRUSH VisualStyle::WindowBrush() {
    if (IsDark())
        return static_cast<HBRUSH>(State().windowBrush.Get());
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH VisualStyle::ControlBrush() {
    if (IsDark())
        return static_cast<HBRUSH>(State().controlBrush.Get());
    return ::GetSysColorBrush(COLOR_WINDOW);
}

void VisualStyle::AttachWindow(HWND wnd) {
    StyleState& state = State();
    if (std::find(state.windows.begin(), state.windows.end(), wnd) == state.windows.end()) {
        state.windows.push_back(wnd);
    }
    ::EnumChildWindows(wnd, &AttachChildButton, 0);
    ApplyFrame(wnd, IsDark());
}

void VisualStyle::DetachWindow(HWND wnd) {
    auto& windows = State().windows;
    windows.erase(std::remove(windows.begin(), windows.end(), wnd), windows.end());
}

bool VisualStyle::HandleWindowMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (!IsDark())
        return false;
    const HDC dc = reinterpret_cast<HDC>(wParam);
    switch (msg) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        ::SetTextColor(dc, kDarkColors.text);
        ::SetBkColor(dc, kDarkColors.window);
        result = reinterpret_cast<LRESULT>(WindowBrush());
        return true;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        ::SetTextColor(dc, kDarkColors.text);
        ::SetBkColor(dc, kDarkColors.control);
        result = reinterpret_cast<LRESULT>(ControlBrush());
        return true;
    case WM_ERASEBKGND: {
        RECT rc;
        ::GetClientRect(wnd, &rc);
        ::FillRect(dc, &rc, WindowBrush());
        result = 1;
        return true;
    }
    default:
        return false;
    }
}

void VisualStyle::AttachButton(HWND button) {
    AttachStyledButton(button);
}

} // namespace staywick
