#pragma once
// TFrmLicense: the license agreement dialog, a read-only rich-text view of
// the agreement with "&Print..." and a "&Copy Text" context menu.
#include "common/win32/handles.h"
#include "license/position.h"
#include "ui/application.h"
#include "ui/dialog.h"
#include "ui/dialog_support.h"
#include "ui/styled_menu.h"

#include <windows.h>

#include <optional>
#include <string>

namespace staywick {

class TFrmLicense : public Dialog {
public:
    explicit TFrmLicense(HWND owner);
    ~TFrmLicense() override;

    HWND Memo() const noexcept;

    // Receives the component's ApplicationName; not displayed.
    std::wstring sAppName;

    void SetPosition(TPosition position) noexcept { position_ = position; }

    // Replaces the view's content with the RTF document read from `file`
    // (from its current position). Throws AppError when it cannot be read.
    void LoadRtf(HANDLE file);

    // ShowModal positions the dialog by its mode and shows it. "&OK", Esc
    // and the close box end it with 1; Enter does not (OK is no default button).

    void bPrintClick();
    void CopyText1Click();

    // The view's whole text as plain text, line breaks as CR LF.
    std::wstring MemoText() const;

private:
    void PrepareControls() override;
    bool FillControls() override;
    bool HandleLook(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PrepareToShow() override;
    void Layout(UINT dpi) override;
    void ApplyMemoLook();
    void ApplyPosition();
    void ShowContextMenu(LPARAM at);
    bool HandleMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    void PaintTopLine();

    TPosition position_ = poOwnerFormCenter;
    win32::FontHandle font_;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    // "&Copy Text" as the dark look draws it, at the DPI where the menu opens.
    StyledMenuItem copyTextItem_;
    StyledMenuItemData copyTextData_; // the item data, for screen readers
    UINT menuDpi_ = USER_DEFAULT_SCREEN_DPI;
};

// The open license dialog; empty while none exists.
extern TFrmLicense* FrmLicense;

} // namespace staywick
