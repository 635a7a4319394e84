#pragma once
// TFrmFor: "For..." of the "&Activate for" submenu, a small dialog with a
// length of the user's own (hours and minutes, 1 minute to 24 hours) and OK
// and Cancel, placed near the taskbar like the program's other dialogs.
#include "common/win32/handles.h"
#include "ui/application.h"
#include "ui/dialog.h"

#include <windows.h>

#include <cstdint>
#include <optional>

namespace staywick {

class TFrmFor : public Dialog {
public:
    // Creates the dialog hidden, showing `minutes` (taken into 1..1440).
    TFrmFor(HWND owner, std::int32_t minutes);
    ~TFrmFor() override;

    // ShowModal places and shows it; IDOK or IDCANCEL.
    // The length shown, in minutes, 1..1440: a field that holds no number
    // in range counts as its nearer bound, and so does the whole length.
    std::int32_t Minutes() const;

private:
    void PrepareControls() override;
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Layout(UINT dpi) override;
    int FieldValue(int editId, int maximum) const;

    std::int32_t initial_;
    win32::FontHandle font_;
};

// The open dialog; empty while none exists.
extern TFrmFor* FrmFor;

// The "For..." handler: brings an open dialog forward (and answers
// nothing), or opens one showing `initialMinutes` and returns the chosen
// length on OK.
std::optional<std::int32_t> ChooseForLength(Application& app, HWND owner,
                                            std::int32_t initialMinutes);

} // namespace staywick
