#pragma once
// TFrmWhile: "While a program runs..." of the "&Activate for" submenu. It
// lists the running programs with a window, "title — file.exe", top window
// first, and returns the chosen one on OK; placed near the taskbar like the
// program's other dialogs.
#include "common/win32/handles.h"
#include "platform/program_windows.h"
#include "ui/application.h"
#include "ui/dialog.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace staywick {

class TFrmWhile : public Dialog {
public:
    // Creates the dialog hidden, listing `windows` (the first one selected);
    // with none, a line says so instead of the list and OK is disabled.
    TFrmWhile(HWND owner, std::vector<ProgramWindow> windows);
    ~TFrmWhile() override;

    // ShowModal places and shows it; IDOK or IDCANCEL.
    // The entry selected; empty when none is.
    std::optional<ProgramWindow> Selected() const;

private:
    void PrepareControls() override; // the list, or the line saying there is none
    bool FillControls() override;
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Layout(UINT dpi) override;

    std::vector<ProgramWindow> windows_;
    win32::FontHandle font_;
};

// The open dialog; empty while none exists.
extern TFrmWhile* FrmWhile;

// The "While a program runs..." handler: brings an open dialog forward (and
// answers nothing), or lists the programs now and returns the one chosen on
// OK.
std::optional<ProgramWindow> ChooseWhileProgram(Application& app, HWND owner,
                                                ProgramWindows& programs);

} // namespace staywick
