#include "tray/win32/while_dialog.h"

#include "common/scope_exit.h"
#include "resources/resource.h"
#include "ui/dialog_support.h"
#include "ui/window_utils.h"

#include <algorithm>

namespace staywick {

TFrmWhile* FrmWhile = nullptr;

namespace {

constexpr UINT kDesignDpi = 120;
constexpr int kClientWidth = 420;
constexpr int kClientHeight = 296;

// Positions and sizes at 120 pixels per inch.
constexpr DesignedBox kLayout[] = {
    {IDC_WHILE_LABEL, 10, 10, 400, 20}, {IDC_WHILE_LIST, 10, 34, 400, 210},
    {IDC_WHILE_NONE, 10, 34, 400, 20},  {IDOK, 224, 256, 93, 30},
    {IDCANCEL, 323, 256, 87, 30},
};

} // namespace

TFrmWhile::TFrmWhile(HWND owner, std::vector<ProgramWindow> windows)
    : windows_(std::move(windows)) {
    Create(IDD_WHILE, owner, L"Cannot create the While dialog");
}

TFrmWhile::~TFrmWhile() {
    Destroy();
}

void TFrmWhile::PrepareControls() {
    HWND list = ::GetDlgItem(hwnd_, IDC_WHILE_LIST);
    for (const ProgramWindow& window : windows_) {
        const std::wstring entry = ProgramWindowEntry(window);
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    const bool any = !windows_.empty();
    if (any)
        ::SendMessageW(list, LB_SETCURSEL, 0, 0);
    ::ShowWindow(list, any ? SW_SHOW : SW_HIDE);
    ::ShowWindow(::GetDlgItem(hwnd_, IDC_WHILE_NONE), any ? SW_HIDE : SW_SHOW);
    ::EnableWindow(::GetDlgItem(hwnd_, IDOK), any);
    // Without a list, Enter and Esc both close it through Cancel.
    if (!any)
        ::SendMessageW(hwnd_, DM_SETDEFID, IDCANCEL, 0);
}

bool TFrmWhile::FillControls() {
    if (windows_.empty()) {
        ::SetFocus(::GetDlgItem(hwnd_, IDCANCEL));
        return false;
    }
    return true; // the focus goes to the list
}

INT_PTR TFrmWhile::HandleMessage(UINT msg, WPARAM wParam, LPARAM) {
    if (msg != WM_COMMAND)
        return FALSE;
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndModal(LOWORD(wParam));
    } else if (LOWORD(wParam) == IDC_WHILE_LIST && HIWORD(wParam) == LBN_DBLCLK && Selected()) {
        EndModal(IDOK); // a double click chooses, as OK does
    }
    return TRUE;
}

void TFrmWhile::Layout(UINT dpi) {
    const auto s = [dpi](int v) { return Scale(v, dpi, kDesignDpi); };
    LayOutDialog(hwnd_, {L"Segoe UI", 15, kLayout, kClientWidth, kClientHeight, kDesignDpi}, font_,
                 dpi);
    // Long titles scroll sideways rather than being cut off.
    HWND list = ::GetDlgItem(hwnd_, IDC_WHILE_LIST);
    int widest = 0;
    for (const ProgramWindow& window : windows_)
        widest = std::max(widest, PlainTextWidth(list, font_.Get(), ProgramWindowEntry(window)));
    ::SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + s(8)), 0);
    ::SendMessageW(list, LB_SETITEMHEIGHT, 0, s(20));
}

std::optional<ProgramWindow> TFrmWhile::Selected() const {
    const LRESULT index = ::SendDlgItemMessageW(hwnd_, IDC_WHILE_LIST, LB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= windows_.size())
        return std::nullopt;
    return windows_[static_cast<std::size_t>(index)];
}

std::optional<ProgramWindow> ChooseWhileProgram(Application& app, HWND owner,
                                                ProgramWindows& programs) {
    if (FrmWhile) {
        BringForward(FrmWhile->Handle());
        return std::nullopt;
    }
    TFrmWhile dialog(owner, programs.List());
    FrmWhile = &dialog;
    const ScopeExit clear([] { FrmWhile = nullptr; });
    if (dialog.ShowModal(app) != IDOK)
        return std::nullopt;
    return dialog.Selected();
}

} // namespace staywick
