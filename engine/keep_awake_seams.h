#pragma once
// What the keep-awake controller drives but does not own: the tray's status
// item, "Activate for" check marks, tip and glyph, and the diagnostic
// outputs. The tray and the diagnostics implement these.
#include <cstddef>
#include <cstdint>
#include <string>

namespace staywick {

class KeepAwakeView {
public:
    virtual ~KeepAwakeView() = default;

    // The status item `MnuActive`.
    virtual void SetStatusChecked(bool checked) = 0;
    virtual void SetStatusCaption(const std::wstring& caption) = 0;
    // The "&Activate for" item at `position` (0..12, order of kActivateForTags).
    virtual void SetActivateForChecked(std::size_t position, bool checked) = 0;
    // The "Until..." item after them.
    virtual void SetActivateUntilChecked(bool checked) = 0;
    // "For...", a length of the user's own, after "While a program runs...".
    virtual void SetActivateForOwnChecked(bool checked) = 0;
    // "&Keep the display on": checked while the display is kept on, greyed
    // while a policy decides.
    virtual void SetKeepDisplayOn(bool checked, bool enabled) = 0;
    // Whether that item can be chosen (a policy may forbid the long ones).
    virtual void SetActivateForEnabled(std::size_t position, bool enabled) = 0;
    // The tray icon's tip and glyph (0 inactive, 1 active).
    virtual void SetTrayTip(const std::wstring& tip) = 0;
    virtual void UpdateTrayIcon(std::int32_t index) = 0;
};

class TickDiagnostics {
public:
    virtual ~TickDiagnostics() = default;

    // The activity log ("/L") is written.
    virtual bool LogEnabled() const = 0;
    // One line to the log; throws AppError when the file cannot be written.
    virtual void AppendLog(const std::wstring& line) = 0;
    // One line to the debug window ("/D").
    virtual void DebugWrite(const std::wstring& line) = 0;
};

} // namespace staywick
