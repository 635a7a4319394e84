#include "license/win32/license_dialog.h"

#include "common/app_error.h"
#include "common/decimal_text.h"
#include "common/print_margin.h"
#include "common/scope_exit.h"
#include "common/win32/handles.h"
#include "platform/win32/on_demand.h"
#include "resources/resource.h"
#include "ui/accessible_names.h"
#include "ui/dialog_support.h"
#include "ui/error_report.h"
#include "ui/visual_style.h"
#include "ui/window_utils.h"

#include <commdlg.h>
#include <richedit.h>

namespace staywick {

TFrmLicense* FrmLicense = nullptr;

namespace {

constexpr UINT kDesignDpi = 96;
constexpr int kClientWidth = 405;
constexpr int kClientHeight = 394;

constexpr DesignedBox kLayout[] = {
    {IDC_LIC_MEMO, 6, 6, 391, 350},
    {IDC_LIC_PRINT, 6, 365, 75, 23},
    {IDC_LIC_OK, 322, 365, 75, 23},
};

// The rich-text class RICHEDIT50W must exist before the template is created.
void LoadRichEdit() {
    static const HMODULE module = ::LoadLibraryW(L"Msftedit.dll");
    if (!module)
        throw AppError(L"Cannot load the rich-text control (Msftedit.dll)");
}

DWORD CALLBACK ReadFromFile(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
    DWORD got = 0;
    if (!::ReadFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(size), &got,
                    nullptr)) {
        return ::GetLastError();
    }
    *read = static_cast<LONG>(got);
    return 0;
}

} // namespace

TFrmLicense::TFrmLicense(HWND owner) {
    LoadRichEdit();
    Create(IDD_LICENSE, owner, L"Cannot create the license agreement dialog");
}

TFrmLicense::~TFrmLicense() {
    Destroy();
}

HWND TFrmLicense::Memo() const noexcept {
    return ::GetDlgItem(hwnd_, IDC_LIC_MEMO);
}

bool TFrmLicense::HandleLook(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (!Dialog::HandleLook(msg, wParam, lParam, result))
        return false;
    if (msg == WM_ERASEBKGND)
        PaintTopLine();
    return true;
}

void TFrmLicense::PrepareControls() {
    HWND memo = Memo();
    ::SendMessageW(memo, EM_SETZOOM, 0, 0); // 100 per cent
    ::SendMessageW(memo, EM_SETEVENTMASK, 0, 0);
    // The agreement's text has no label of its own.
    AddHiddenLabel(hwnd_, IDC_LIC_MEMO, IDS_A11Y_LICENSE_TEXT);
}

bool TFrmLicense::FillControls() {
    ApplyMemoLook();
    return true;
}

INT_PTR TFrmLicense::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR menuResult = FALSE;
    if (HandleMenuMessage(msg, wParam, lParam, menuResult))
        return menuResult;
    if (msg == VisualStyle::LookChangedMessage()) {
        ApplyMemoLook(); // the text field paints itself
        return TRUE;
    }
    switch (msg) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_LIC_OK:
        case IDCANCEL: // "&OK", Esc and the close box all just close it, with 1
            EndModal(IDOK);
            break;
        case IDOK: // Enter, which the agreement's text does not take: nothing
            break;
        case IDC_LIC_PRINT:
            bPrintClick();
            break;
        case IDM_LIC_COPYTEXT:
            CopyText1Click();
            break;
        default:
            break;
        }
        return TRUE;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == Memo()) {
            ShowContextMenu(lParam);
            return TRUE;
        }
        return FALSE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        ::BeginPaint(hwnd_, &ps);
        ::EndPaint(hwnd_, &ps);
        PaintTopLine();
        return TRUE;
    }
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        ApplyMemoLook();
        return FALSE;
    default:
        return FALSE;
    }
}

void TFrmLicense::Layout(UINT dpi) {
    dpi_ = dpi;
    LayOutDialog(hwnd_, {L"Tahoma", 11, kLayout, kClientWidth, kClientHeight, kDesignDpi}, font_,
                 dpi);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void TFrmLicense::ApplyMemoLook() {
    HWND memo = Memo();
    const bool dark = LookIsDark();
    ::SendMessageW(memo, EM_SETBKGNDCOLOR, 0,
                   dark ? LookWindowColor() : ::GetSysColor(COLOR_BTNFACE));
    // In the dark look every character is drawn in the look's text colour;
    // the standard look keeps the document's own colours.
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_COLOR;
    cf.dwEffects = dark ? 0 : CFE_AUTOCOLOR;
    cf.crTextColor = dark ? LookTextColor() : ::GetSysColor(COLOR_WINDOWTEXT);
    ::SendMessageW(memo, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
}

void TFrmLicense::PaintTopLine() {
    // The 1-pixel line along the top edge, in the button-shadow colour.
    win32::WindowDc dc(hwnd_);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    RECT line{0, 0, client.right, Scale(1, dpi_, kDesignDpi)};
    ::FillRect(dc.Get(), &line, ::GetSysColorBrush(COLOR_BTNSHADOW));
}

void TFrmLicense::LoadRtf(HANDLE file) {
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(file);
    stream.pfnCallback = &ReadFromFile;
    ::SendMessageW(Memo(), EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    if (stream.dwError != 0) {
        throw AppError(L"Cannot read the license agreement (error " + DecimalText(stream.dwError) +
                       L")");
    }
    ApplyMemoLook();
}

void TFrmLicense::ApplyPosition() {
    RECT outer{};
    ::GetWindowRect(hwnd_, &outer);
    const int w = outer.right - outer.left;
    const int h = outer.bottom - outer.top;
    RECT area{};
    switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        break;
    case poMainFormCenter:
    case poOwnerFormCenter:
        if (HWND owner = Owner(); owner && ::IsWindowVisible(owner)) {
            ::GetWindowRect(owner, &area);
        } else {
            ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        }
        break;
    default:
        return; // designed: already placed; the default modes leave it where it is
    }
    ::SetWindowPos(hwnd_, nullptr, (area.left + area.right - w) / 2,
                   (area.top + area.bottom - h) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFrmLicense::PrepareToShow() {
    ApplyPosition();
    ::SetFocus(Memo());
}

void TFrmLicense::ShowContextMenu(LPARAM at) {
    POINT pt{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == -1) { // from the keyboard: the field's corner
        pt = {0, 0};
        ::ClientToScreen(Memo(), &pt);
    }
    win32::MenuHandle menu(::LoadMenuW(ResourceModule(), MAKEINTRESOURCEW(IDR_LIC_POPUP)));
    if (!menu)
        return;
    HMENU popup = ::GetSubMenu(menu.Get(), 0);
    if (LookIsDark()) {
        // Drawn by the program, as the tray menu is: the system has no dark menus.
        wchar_t caption[64] = {};
        ::GetMenuStringW(popup, 0, caption, 64, MF_BYPOSITION);
        copyTextItem_ = StyledMenuItem{.caption = caption};
        std::wstring plain = caption;
        std::erase(plain, L'&'); // its key is resolved in WM_MENUCHAR, as in the tray menu
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
        item.fType = MFT_OWNERDRAW;
        SetStyledItemData(copyTextData_, copyTextItem_.caption, &copyTextItem_);
        item.dwItemData = reinterpret_cast<ULONG_PTR>(&copyTextData_);
        item.dwTypeData = plain.data();
        ::SetMenuItemInfoW(popup, 0, TRUE, &item);
        MENUINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = MIM_BACKGROUND;
        info.hbrBack = VisualStyle::WindowBrush();
        ::SetMenuInfo(popup, &info);
        menuDpi_ = DpiAtPoint(pt);
    }
    ::TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, hwnd_, nullptr);
}

bool TFrmLicense::HandleMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    const ULONG_PTR ours = reinterpret_cast<ULONG_PTR>(&copyTextData_);
    switch (msg) {
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (mis->CtlType != ODT_MENU || mis->itemData != ours)
            return false;
        MeasureStyledMenuItem(*mis, copyTextItem_, menuDpi_);
        result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (dis->CtlType != ODT_MENU || dis->itemData != ours)
            return false;
        DrawStyledMenuItem(*dis, copyTextItem_, menuDpi_);
        result = TRUE;
        return true;
    }
    case WM_MENUCHAR: {
        const LRESULT answer = StyledMenuChar(
            LOWORD(wParam), reinterpret_cast<HMENU>(lParam), [ours, this](ULONG_PTR data) {
                return data == ours ? copyTextItem_.caption : std::wstring();
            });
        ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, answer);
        result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

std::wstring TFrmLicense::MemoText() const {
    HWND memo = Memo();
    GETTEXTLENGTHEX length{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
    const auto n = ::SendMessageW(memo, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    if (n <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    get.flags = GT_USECRLF;
    get.codepage = 1200;
    const auto got = ::SendMessageW(memo, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                    reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

void TFrmLicense::CopyText1Click() {
    // The whole agreement as plain text, whatever is selected; a failure
    // reaches the standard error report through the dialog procedure.
    PutTextOnClipboard(hwnd_, MemoText());
}

void TFrmLicense::bPrintClick() {
    PRINTDLGW pd{};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = hwnd_;
    pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    // comdlg32 loads the print spooler: only here, on the first print.
    static const auto printDlg =
        win32::OnDemandFunction<decltype(&::PrintDlgW)>(L"comdlg32.dll", "PrintDlgW");
    if (!printDlg)
        throw AppError(L"Cannot load the print dialog (comdlg32.dll)");
    if (!printDlg(&pd))
        return; // cancelled
    win32::MemoryDc dc(pd.hDC);
    ScopeExit release([&] {
        if (pd.hDevMode)
            ::GlobalFree(pd.hDevMode);
        if (pd.hDevNames)
            ::GlobalFree(pd.hDevNames);
    });
    if (!dc)
        return;

    const int dpiX = ::GetDeviceCaps(dc.Get(), LOGPIXELSX);
    const int dpiY = ::GetDeviceCaps(dc.Get(), LOGPIXELSY);
    const int pageWidth = ::GetDeviceCaps(dc.Get(), HORZRES);
    const int pageHeight = ::GetDeviceCaps(dc.Get(), VERTRES);
    // The control measures in twips; with no room for margins it prints on the whole page.
    const PrintTwips twips =
        PrintAreaTwips(kPrintMarginMm, dpiX, dpiY, ::GetDeviceCaps(dc.Get(), PHYSICALOFFSETX),
                       ::GetDeviceCaps(dc.Get(), PHYSICALOFFSETY), pageWidth, pageHeight);
    const RECT page{twips.Page.Left, twips.Page.Top, twips.Page.Right, twips.Page.Bottom};
    const RECT margins{twips.Area.Left, twips.Area.Top, twips.Area.Right, twips.Area.Bottom};

    const std::wstring caption = WindowText(hwnd_);
    DOCINFOW doc{};
    doc.cbSize = sizeof(doc);
    doc.lpszDocName = caption.c_str();
    if (::StartDocW(dc.Get(), &doc) <= 0)
        throw AppError(L"Printing failed");

    HWND memo = Memo();
    GETTEXTLENGTHEX length{GTL_PRECISE | GTL_NUMCHARS, 1200};
    const auto total = static_cast<LONG>(
        ::SendMessageW(memo, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
    FORMATRANGE range{};
    range.hdc = dc.Get();
    range.hdcTarget = dc.Get();
    range.rcPage = page;
    range.chrg.cpMin = 0;
    range.chrg.cpMax = -1;
    ScopeExit clearCache([&] { ::SendMessageW(memo, EM_FORMATRANGE, FALSE, 0); });
    do {
        range.rc = margins; // each call shrinks rc to what it filled
        ::StartPage(dc.Get());
        const auto next = static_cast<LONG>(
            ::SendMessageW(memo, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range)));
        ::EndPage(dc.Get());
        if (next <= range.chrg.cpMin)
            break; // nothing more fits: avoid an endless loop
        range.chrg.cpMin = next;
    } while (range.chrg.cpMin < total);
    ::EndDoc(dc.Get());
}

} // namespace staywick
