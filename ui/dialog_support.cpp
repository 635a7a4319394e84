#include "ui/dialog_support.h"

#include "platform/win32/on_demand.h"
#include "ui/dialog_font.h"
#include "ui/shown_text.h"
#include "ui/visual_style.h"

#include <cstdlib>

namespace staywick {

namespace {
HINSTANCE g_resources = nullptr;
}

HINSTANCE ResourceModule() {
    return g_resources ? g_resources : ::GetModuleHandleW(nullptr);
}

void SetResourceModule(HINSTANCE module) {
    g_resources = module;
}

std::wstring LoadResString(UINT id) {
    const wchar_t* text = nullptr;
    // Length 0 asks for a read-only pointer into the resource itself.
    const int n = ::LoadStringW(ResourceModule(), id, reinterpret_cast<wchar_t*>(&text), 0);
    return ShownText(n > 0 && text ? std::wstring(text, static_cast<std::size_t>(n))
                                   : std::wstring());
}

int RunModal(Application& app, HWND dialog, HWND owner, const std::optional<int>& result) {
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    app.AddDialogWindow(dialog);
    ::ShowWindow(dialog, SW_SHOW);
    ::SetForegroundWindow(dialog);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);
    while (!result && !app.Terminated() && ::IsWindow(dialog)) {
        ::WaitMessage();
        app.ProcessMessages();
    }
    // The owner comes back before the dialog hides, so it gets the activation.
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (::IsWindow(dialog))
        ::ShowWindow(dialog, SW_HIDE);
    app.RemoveDialogWindow(dialog);
    return result.value_or(IDCANCEL);
}

void PlaceControls(HWND dlg, std::span<const DesignedBox> boxes, HFONT font, UINT dpi,
                   UINT designDpi) {
    const auto s = [dpi, designDpi](int v) { return Scale(v, dpi, designDpi); };
    for (const DesignedBox& box : boxes) {
        HWND ctl = ::GetDlgItem(dlg, box.id);
        ::SendMessageW(ctl, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        ::SetWindowPos(ctl, nullptr, s(box.left), s(box.top), s(box.width), s(box.height),
                       SWP_NOZORDER);
    }
}

void SetClientSize(HWND wnd, int width, int height, UINT dpi) {
    RECT r{0, 0, width, height};
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(wnd, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(wnd, GWL_EXSTYLE));
    AdjustWindowRectForDpi(r, style, exStyle, dpi);
    ::SetWindowPos(wnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A caption that wraps or a menu can change the frame; correct once.
    RECT client{};
    ::GetClientRect(wnd, &client);
    const int dw = width - client.right;
    const int dh = height - client.bottom;
    if (dw != 0 || dh != 0) {
        RECT outer{};
        ::GetWindowRect(wnd, &outer);
        ::SetWindowPos(wnd, nullptr, 0, 0, outer.right - outer.left + dw,
                       outer.bottom - outer.top + dh, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void LayOutDialog(HWND dlg, const DesignedDialog& design, win32::FontHandle& font, UINT dpi) {
    const auto s = [&](int v) { return Scale(v, dpi, design.designDpi); };
    const win32::FontHandle old = std::move(font);
    font.Reset(CreateUiFont(design.face, s(design.fontHeight)));
    ::SendMessageW(dlg, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    PlaceControls(dlg, design.boxes, font.Get(), dpi, design.designDpi);
    SetClientSize(dlg, s(design.clientWidth), s(design.clientHeight), dpi);
}

void BringForward(HWND dlg) {
    ::ShowWindow(dlg, SW_SHOW);
    ::SetForegroundWindow(dlg);
}

HFONT CreateUiFont(const wchar_t* face, int pixelHeight, bool bold) {
    LOGFONTW lf{};
    lf.lfHeight = -::MulDiv(pixelHeight, SystemTextScalePercent(), 100);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, DialogFace(face).c_str(), LF_FACESIZE);
    return ::CreateFontIndirectW(&lf);
}

void AttachLook(HWND wnd) {
    VisualStyle::AttachWindow(wnd);
}

void DetachLook(HWND wnd) {
    VisualStyle::DetachWindow(wnd);
}

bool HandleLookMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return VisualStyle::HandleWindowMessage(wnd, msg, wParam, lParam, result);
}

bool LookIsDark() {
    return VisualStyle::IsDark();
}

COLORREF LookWindowColor() {
    return VisualStyle::Colors().window;
}

COLORREF LookTextColor() {
    return VisualStyle::Colors().text;
}

bool HandleDialogLookMessage(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    LRESULT answer = 0;
    if (!HandleLookMessage(dlg, msg, wParam, lParam, answer))
        return false;
    if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) {
        result = static_cast<INT_PTR>(answer); // colour messages return the brush itself
    } else {
        ::SetWindowLongPtrW(dlg, DWLP_MSGRESULT, answer);
        result = TRUE;
    }
    return true;
}

void DisableDialogAutoScaling(HWND dlg) {
    // Windows 10 1703 and later; absent elsewhere (and under Wine), where
    // nothing rescales dialogs by itself anyway.
    using Fn = BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
    static const auto fn = win32::OnDemandFunction<Fn>(L"user32.dll", "SetDialogDpiChangeBehavior");
    if (fn)
        fn(dlg, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
}

// The closed height follows the item height through a frame and rounding
// that differ between systems: try item heights around the estimate and keep
// the one that gives `height`, or else the closest.
void SetComboFieldHeight(HWND combo, int height) {
    const auto fieldHeight = [combo] {
        RECT r{};
        ::GetWindowRect(combo, &r);
        return static_cast<int>(r.bottom - r.top);
    };
    const auto setItem = [combo](int item) {
        ::SendMessageW(combo, CB_SETITEMHEIGHT, WPARAM(-1), item);
    };
    int bestError = std::abs(height - fieldHeight());
    if (bestError == 0)
        return; // setting any item height changes the frame on some systems
    const int item = static_cast<int>(::SendMessageW(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0));
    const int estimate = item + height - fieldHeight();
    int best = item;
    for (int delta : {0, -1, 1, -2, 2, -3, 3, -4, 4}) {
        if (bestError == 0 || estimate + delta <= 0)
            break;
        setItem(estimate + delta);
        const int error = std::abs(height - fieldHeight());
        if (error < bestError) {
            bestError = error;
            best = estimate + delta;
        }
    }
    setItem(best);
}

} // namespace staywick
