#pragma once
// The Automatic dialog's rows for a program in front and a window title: the
// programs typed in one field (its drop-down offers the running programs, and
// a pick joins the list) and the title patterns in another.
#include "engine/automatic_options.h"
#include "platform/process_watch.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace staywick {

// Posted to the dialog after a pick from the drop-down, once the field has
// taken the picked text: the list as typed before, with the pick added.
inline constexpr UINT kProgramPicked = WM_APP + 33;

// The running programs' names offered by a program field's drop-down: a
// fresh snapshot each time, sorted and each name once; the typed text stays.
void FillRunningProgramNames(HWND combo,
                             const std::function<std::vector<RunningProcess>()>& running);

class WindowReasonRows {
public:
    void Fill(HWND dlg, const AutomaticOptions& options);
    // The field's notifications; true when handled.
    bool OnCommand(HWND dlg, int id, int code,
                   const std::function<std::vector<RunningProcess>()>& running);
    void ProgramPicked(HWND dlg, WPARAM index);
    // The rows into `chosen`; false (the user told, the field focused) when
    // an entry cannot be a file name.
    bool Read(HWND dlg, AutomaticOptions& chosen) const;

private:
    std::wstring typedBeforeDrop_;
};

} // namespace staywick
