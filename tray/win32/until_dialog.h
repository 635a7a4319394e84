#pragma once
// TFrmUntil: "Until..." of the "&Activate for" submenu, a small dialog with
// a time of day (hours and minutes, 24-hour) and OK and Cancel, placed near
// the taskbar like the program's other dialogs.
#include "common/win32/handles.h"
#include "ui/application.h"
#include "ui/dialog.h"

#include <windows.h>

#include <cstdint>
#include <optional>

namespace staywick {

class TFrmUntil : public Dialog {
public:
    // Creates the dialog hidden, showing `minuteOfDay` (0..1439).
    TFrmUntil(HWND owner, std::int32_t minuteOfDay);
    ~TFrmUntil() override;

    // ShowModal places and shows it; IDOK or IDCANCEL.
    // The time shown, as minutes after midnight; a field that holds no
    // number in range counts as its nearer bound.
    std::int32_t MinuteOfDay() const;

private:
    void PrepareControls() override;
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Layout(UINT dpi) override;
    int FieldValue(int editId, int maximum) const;

    std::int32_t initial_;
    win32::FontHandle font_;
};

// The open dialog; empty while none exists.
extern TFrmUntil* FrmUntil;

// The "Until..." handler: brings an open dialog forward (and answers
// nothing), or opens one showing `initialMinute` and returns the chosen time
// of day on OK.
std::optional<std::int32_t> ChooseUntilTime(Application& app, HWND owner,
                                            std::int32_t initialMinute);

} // namespace staywick
