#pragma once
// TFrmAutomatic: the "Automatic" dialog, opened from the Options dialog: the
// programs that keep the computer awake while they run, the weekly schedule,
// the pauses, the lock-screen choice, and the programs in front and window
// titles that keep it awake. OK keeps the choices in the record
// it was given; the Options dialog's OK saves them.
#include "common/win32/handles.h"
#include "engine/automatic_options.h"
#include "platform/process_watch.h"
#include "settings/win32/window_reason_rows.h"
#include "ui/application.h"
#include "ui/dialog.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace staywick {

// One snapshot of the user's running processes, taken when the program list
// drops down.
using RunningProcesses = std::function<std::vector<RunningProcess>()>;

class TFrmAutomatic : public Dialog {
public:
    // Creates the dialog (hidden) owned by `owner`, filled from `options`.
    // Without `allowAutomatic` (a policy) the programs and the schedule show
    // greyed with a note; the pauses still apply to the user's own "on" and
    // stay open. With `lidPauseOverruled` (staying awake with the lid closed
    // "Always", chosen in Options) the lid pause shows greyed, with a line
    // below the buttons that says why; its own value is kept.
    TFrmAutomatic(HWND owner, AutomaticOptions& options, RunningProcesses running,
                  bool allowAutomatic = true, bool lidPauseOverruled = false);
    ~TFrmAutomatic() override;

    // ShowModal places the dialog near the taskbar and shows it; IDOK or IDCANCEL.

    void FormCreate();
    // Copies the controls into the record. A name still typed in the program
    // field joins the list first; when it cannot (a folder, a wildcard) the
    // user is told, nothing is copied and the answer is false.
    bool BtnOkClick();

private:
    void PrepareControls() override;
    bool FillControls() override;
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id, int code);
    void Layout(UINT dpi) override;
    bool AddTypedName(bool beepWhenEmpty);
    void RemoveSelected();
    void FillRunningPrograms();
    void EnableControls();
    int FieldValue(int editId, int low, int high) const;
    void SetFieldValue(int upDownId, int value);

    AutomaticOptions& options_;
    RunningProcesses running_;
    bool allowAutomatic_;
    bool lidPauseOverruled_;
    std::vector<std::wstring> programs_; // as the list shows them
    win32::FontHandle font_;             // 15 px at 120 dpi
    win32::FontHandle boldFont_;         // the headings
    win32::FontHandle smallFont_;        // 13 px, the policy note
    WindowReasonRows windowRows_;        // a program in front, a window title
};

// The open Automatic dialog; empty while none exists.
extern TFrmAutomatic* FrmAutomatic;

// The Options dialog's "Automatic..." button: opens the dialog on `options`
// and answers whether the user confirmed it (the record then holds the choices).
bool EditAutomaticOptions(Application& app, HWND owner, AutomaticOptions& options,
                          RunningProcesses running, bool allowAutomatic,
                          bool lidPauseOverruled = false);

} // namespace staywick
