#pragma once
// TFrmLicense: the license agreement dialog, a read-only rich-text view of
// the agreement with "&Print..." and a "&Copy Text" context menu.
#include "app/dialog_support.h"
#include "platform/win32/handles.h"
#include "app/application.h"
#include "license/position.h"

#include <windows.h>

#include <optional>
#include <string>

namespace staywick {

class TFrmLicense {
public:
    explicit TFrmLicense(HWND owner);
    ~TFrmLicense();
    TFrmLicense(const TFrmLicense&) = delete;
    TFrmLicense& operator=(const TFrmLicense&) = delete;

    HWND Handle() const noexcept { return hwnd_; }
    HWND Memo() const noexcept;

    // Receives the component's ApplicationName; not displayed.
    std::wstring sAppName;

    void SetPosition(TPosition position) noexcept { position_ = position; }

    // Replaces the view's content with the RTF document read from `file`
    // (from its current position). Throws AppError when it cannot be read.
    void LoadRtf(HANDLE file);

    // Positions the dialog by its mode and shows it modally.
    int ShowModal(Application& app);

    void bPrintClick();
    void CopyText1Click();

    // The view's whole text as plain text, line breaks as CR LF.
    std::wstring MemoText() const;

private:
    friend INT_PTR CALLBACK DialogProcFor<TFrmLicense>(HWND dlg, UINT msg, WPARAM wParam,
                                                   LPARAM lParam);
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void Layout(UINT dpi);
    void ApplyMemoLook();
    void ApplyPosition();
    void ShowContextMenu(LPARAM at);
    void PaintTopLine();

    HWND hwnd_ = nullptr;
    HWND owner_;
    TPosition position_ = poOwnerFormCenter;
    win32::FontHandle font_;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::optional<int> result_;
};

// The open license dialog; empty while none exists.
extern TFrmLicense* FrmLicense;

} // namespace staywick
