#include "app/about_window.h"

#include "common/version_text.h"
#include "common/win32/file_version.h"
#include "common/win32/placement_win32.h"
#include "resources/resource.h"
#include "ui/common_controls.h"
#include "ui/dialog_support.h"
#include "ui/visual_style.h"
#include "ui/window_utils.h"

#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <cwchar>

namespace staywick {

namespace {

constexpr UINT kDesignDpi = 120;
constexpr int kClientWidth = 394;
constexpr int kClientHeight = 333;

enum class Kind { Image, Label, Link, Button };

struct ControlDef {
    int id;
    Kind kind;
    int left, top, width, height;
};

// Positions and sizes at 120 pixels per inch, in tab order for the
// focusable ones (site 0, license 1, support 2, OK 3, donate 4).
constexpr ControlDef kControls[] = {
    {IDC_ABOUT_LOGO, Kind::Image, 17, 14, 40, 40},
    {IDC_ABOUT_NAME, Kind::Label, 70, 10, 91, 20},
    {IDC_ABOUT_VERSION, Kind::Label, 71, 34, 48, 20}, // width follows the text
    {IDC_ABOUT_COPYRIGHT, Kind::Label, 70, 65, 246, 20},
    {IDC_ABOUT_SITE, Kind::Link, 70, 115, 196, 24},
    {IDC_ABOUT_LICENSE, Kind::Link, 70, 159, 196, 24},
    {IDC_ABOUT_SUPPORT, Kind::Link, 70, 203, 204, 24},
    // Two lines, so the whole attribution fits.
    {IDC_ABOUT_FONT, Kind::Label, 71, 243, 310, 40},
    {IDC_ABOUT_OK, Kind::Button, 300, 295, 86, 30},
    {IDC_ABOUT_DONATE, Kind::Link, 9, 297, 136, 24},
};

// The address as people write it: no scheme, no trailing slash, so it fits its box.
std::wstring SiteDisplayText(std::wstring url) {
    for (const wchar_t* scheme : {L"https://", L"http://"}) {
        if (url.rfind(scheme, 0) == 0)
            url.erase(0, std::wcslen(scheme));
    }
    while (!url.empty() && url.back() == L'/')
        url.pop_back();
    return url;
}

bool IsLinkControl(HWND wnd) {
    wchar_t cls[16] = {};
    ::GetClassNameW(wnd, cls, 16);
    return ::lstrcmpiW(cls, WC_LINK) == 0;
}

// Wine's link control deletes the brush that WM_CTLCOLORSTATIC hands it, which
// would destroy a brush shared by every window of the look. Links get the DC
// brush (a stock object that cannot be deleted) in the same colour instead.
LRESULT BrushForControl(WPARAM dc, LPARAM control, LRESULT brush) {
    LOGBRUSH lb{};
    if (!IsLinkControl(reinterpret_cast<HWND>(control)) ||
        !::GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof(lb), &lb)) {
        return brush;
    }
    ::SetDCBrushColor(reinterpret_cast<HDC>(dc), lb.lbColor);
    return reinterpret_cast<LRESULT>(::GetStockObject(DC_BRUSH));
}

// Some link controls (Wine's) draw their plain text in the system's window
// text colour whatever the parent asks for: black on the dark look. Every
// pixel darker than the background can only be that text, so its darkness is
// turned into the same amount of the look's text colour.
void LiftDarkText(std::uint32_t* pixels, std::size_t count, COLORREF back, COLORREF text) {
    const int bg[3] = {GetBValue(back), GetGValue(back), GetRValue(back)}; // DIB order: B, G, R
    const int fg[3] = {GetBValue(text), GetGValue(text), GetRValue(text)};
    for (std::size_t i = 0; i < count; ++i) {
        int c[3] = {int(pixels[i] & 0xFF), int((pixels[i] >> 8) & 0xFF),
                    int((pixels[i] >> 16) & 0xFF)};
        if (c[0] > bg[0] || c[1] > bg[1] || c[2] > bg[2])
            continue;
        for (int k = 0; k < 3; ++k) {
            if (bg[k] > 0)
                c[k] = bg[k] + (bg[k] - c[k]) * (fg[k] - bg[k]) / bg[k];
        }
        pixels[i] = std::uint32_t(c[0]) | std::uint32_t(c[1]) << 8 | std::uint32_t(c[2]) << 16;
    }
}

// The link draws into a bitmap, its dark plain text is lifted, then it is shown.
void PaintLinkOnDarkLook(HWND link) {
    PAINTSTRUCT ps;
    const HDC dc = ::BeginPaint(link, &ps);
    RECT rc{};
    ::GetClientRect(link, &rc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = rc.right;
    info.bmiHeader.biHeight = -rc.bottom; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const win32::MemoryDc memory(::CreateCompatibleDC(dc));
    const win32::BitmapHandle bitmap(
        rc.right > 0 && rc.bottom > 0
            ? ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0)
            : nullptr);
    if (memory && bitmap && bits) {
        const win32::SelectedObject selected(memory.Get(), bitmap.Get());
        ::SendMessageW(link, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.Get()), 0);
        DefaultSubclassProc(link, WM_PAINT, reinterpret_cast<WPARAM>(memory.Get()), 0);
        ::GdiFlush();
        LiftDarkText(static_cast<std::uint32_t*>(bits),
                     static_cast<std::size_t>(rc.right) * static_cast<std::size_t>(rc.bottom),
                     LookWindowColor(), LookTextColor());
        ::BitBlt(dc, 0, 0, rc.right, rc.bottom, memory.Get(), 0, 0, SRCCOPY);
    }
    ::EndPaint(link, &ps);
}

// Link controls erase their whole box in the window colour; the About
// window's background (white, button face or the dark look) is wanted instead.
LRESULT CALLBACK LinkEraseProc(HWND link, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    if (msg == WM_ERASEBKGND) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        const auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(
            ::GetParent(link), WM_CTLCOLORSTATIC, wParam, reinterpret_cast<LPARAM>(link)));
        RECT rc{};
        ::GetClientRect(link, &rc);
        ::FillRect(dc, &rc, brush ? brush : ::GetSysColorBrush(COLOR_WINDOW));
        return 1;
    }
    if (msg == WM_PAINT && wParam == 0 && LookIsDark()) {
        PaintLinkOnDarkLook(link);
        return 0;
    }
    if (msg == WM_NCDESTROY)
        RemoveSubclass(link, &LinkEraseProc, 0);
    return DefaultSubclassProc(link, msg, wParam, lParam);
}

std::wstring TextOf(int id) {
    switch (id) {
    case IDC_ABOUT_NAME:
        return LoadResString(IDS_ABOUT_NAME);
    case IDC_ABOUT_COPYRIGHT:
        return LoadResString(IDS_ABOUT_COPYRIGHT);
    case IDC_ABOUT_SITE:
        return L"<a>" + SiteDisplayText(STAYWICK_HOME_URL) + L"</a>";
    case IDC_ABOUT_LICENSE:
        return LoadResString(IDS_ABOUT_LICENSE);
    case IDC_ABOUT_SUPPORT:
        return LoadResString(IDS_ABOUT_SUPPORT);
    case IDC_ABOUT_FONT:
        return LoadResString(IDS_ABOUT_FONT);
    case IDC_ABOUT_OK:
        return LoadResString(IDS_ABOUT_OK);
    case IDC_ABOUT_DONATE:
        return LoadResString(IDS_ABOUT_DONATE);
    default:
        return {};
    }
}

} // namespace

void OpenDonationPage() {
    OpenWebAddress(STAYWICK_DONATE_URL);
}

TAboutWindow::TAboutWindow(Application& app, HWND host, const std::wstring& exePath)
    : ShowLicense(app, host), app_(app), host_(host) {
    ShowLicense.SetPosition(poDesigned);
    ShowLicense.SetLicenseText(LicenseAgreementLines());
    white_.Reset(::CreateSolidBrush(RGB(255, 255, 255)));
    CreateControls();
    ::SetWindowTextW(Control(IDC_ABOUT_VERSION), (LoadResString(IDS_ABOUT_VERSION) +
                                                  FormatVersionText(GetFileVersionText(exePath)))
                                                     .c_str());
    Layout(WindowDpi(host_));
    app_.AddDialogWindow(host_);
    AttachLook(host_);
}

TAboutWindow::~TAboutWindow() {
    DetachLook(host_);
    app_.RemoveDialogWindow(host_);
    for (const ControlDef& def : kControls) {
        if (HWND ctl = Control(def.id))
            ::DestroyWindow(ctl);
    }
}

void TAboutWindow::CreateControls() {
    LoadCommonControls(); // the link control
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (const ControlDef& def : kControls) {
        const wchar_t* cls = WC_STATICW;
        DWORD style = WS_CHILD | WS_VISIBLE;
        switch (def.kind) {
        case Kind::Image:
            style |= SS_ICON | SS_REALSIZECONTROL;
            break;
        case Kind::Label:
            style |= SS_LEFT | SS_NOPREFIX;
            break;
        case Kind::Link:
            cls = WC_LINK;
            style |= WS_TABSTOP;
            break;
        case Kind::Button:
            cls = WC_BUTTONW;
            style |= WS_TABSTOP | BS_DEFPUSHBUTTON;
            break;
        }
        HWND ctl = ::CreateWindowExW(0, cls, TextOf(def.id).c_str(), style, 0, 0, 0, 0, host_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)),
                                     instance, nullptr);
        if (ctl && def.kind == Kind::Link)
            SubclassWindow(ctl, &LinkEraseProc, 0, 0);
    }
}

void TAboutWindow::Layout(UINT dpi) {
    const auto s = [dpi](int v) { return Scale(v, dpi, kDesignDpi); };
    // The old fonts and icon stay alive until every control has the new ones.
    const win32::FontHandle oldFont = std::move(font_);
    const win32::FontHandle oldBold = std::move(boldFont_);
    const win32::IconHandle oldLogo = std::move(logo_);
    font_.Reset(CreateUiFont(L"Segoe UI", s(15)));
    boldFont_.Reset(CreateUiFont(L"Segoe UI", s(15), true));
    logo_.Reset(static_cast<HICON>(::LoadImageW(ResourceModule(), MAKEINTRESOURCEW(IDI_STAYWICK),
                                                IMAGE_ICON, s(40), s(40), 0)));
    ::SendMessageW(Control(IDC_ABOUT_LOGO), STM_SETICON, reinterpret_cast<WPARAM>(logo_.Get()), 0);
    for (const ControlDef& def : kControls) {
        HWND ctl = Control(def.id);
        HFONT font = def.id == IDC_ABOUT_NAME ? boldFont_.Get() : font_.Get();
        ::SendMessageW(ctl, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        int width = s(def.width);
        if (def.id == IDC_ABOUT_VERSION)
            width = TextWidth(ctl, font) + 1;
        ::SetWindowPos(ctl, nullptr, s(def.left), s(def.top), width, s(def.height),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetClientSize(host_, s(kClientWidth), s(kClientHeight), dpi);
    ::InvalidateRect(host_, nullptr, TRUE);
}

bool TAboutWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (HandleLookMessage(host_, msg, wParam, lParam, result)) {
        if (msg == WM_CTLCOLORSTATIC)
            result = BrushForControl(wParam, lParam, result);
        return true;
    }
    switch (msg) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_ABOUT_OK:
        case IDOK:     // Enter
        case IDCANCEL: // Esc
            Button2Click();
            result = 0;
            return true;
        default:
            return false;
        }
    case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr->hwndFrom != Control(static_cast<int>(hdr->idFrom)))
            return false;
        if (hdr->code != NM_CLICK && hdr->code != NM_RETURN)
            return false;
        LinkClicked(hdr->idFrom);
        result = 0;
        return true;
    }
    case WM_ERASEBKGND: {
        RECT rc{};
        ::GetClientRect(host_, &rc);
        ::FillRect(reinterpret_cast<HDC>(wParam), &rc, Background());
        result = 1;
        return true;
    }
    case WM_CTLCOLORSTATIC: {
        // System colour pairs only: the donation line on the button face,
        // the rest as the window's text on its background.
        const HDC dc = reinterpret_cast<HDC>(wParam);
        const bool donate = reinterpret_cast<HWND>(lParam) == Control(IDC_ABOUT_DONATE);
        ::SetTextColor(dc, ::GetSysColor(donate ? COLOR_BTNTEXT : COLOR_WINDOWTEXT));
        HBRUSH brush = donate ? ::GetSysColorBrush(COLOR_BTNFACE) : Background();
        LOGBRUSH lb{};
        ::GetObjectW(brush, sizeof(lb), &lb);
        ::SetBkColor(dc, lb.lbColor);
        result = BrushForControl(wParam, lParam, reinterpret_cast<LRESULT>(brush));
        return true;
    }
    case WM_SHOWWINDOW:
        // Sent only when the visibility changes: placed on hidden -> visible.
        if (wParam && lParam == 0)
            FormShow();
        return false;
    case WM_DPICHANGED:
        Layout(LOWORD(wParam));
        return false;
    default:
        return false;
    }
}

HBRUSH TAboutWindow::Background() const {
    // White as designed, which is the window colour of the standard scheme;
    // a high-contrast scheme's own window colour, so that its text shows.
    return VisualStyle::IsHighContrast() ? ::GetSysColorBrush(COLOR_WINDOW) : white_.Get();
}

void TAboutWindow::LinkClicked(UINT_PTR id) {
    switch (id) {
    case IDC_ABOUT_SITE: // LabelSiteLinkClick
        OpenWebAddress(STAYWICK_HOME_URL);
        break;
    case IDC_ABOUT_LICENSE: // LabelLALinkClick
        ShowLicense.Execute();
        break;
    case IDC_ABOUT_SUPPORT: // LabelSupport2LinkClick
        OpenWebAddress(STAYWICK_SUPPORT_URL);
        break;
    case IDC_ABOUT_DONATE: // LinkLabel1LinkClick
        if (OnDonate)
            OnDonate();
        break;
    default:
        break;
    }
}

void TAboutWindow::FormShow() {
    PlaceNearTaskbar(host_);
}

void TAboutWindow::Show() {
    ::ShowWindow(host_, SW_SHOW);
    ::SetForegroundWindow(host_);
    ::BringWindowToTop(host_);
}

void TAboutWindow::Button2Click() {
    ::ShowWindow(host_, SW_HIDE);
}

} // namespace staywick
