#pragma once
// Base of the program's template dialogs: one static dialog procedure keeps
// the object in DWLP_USER from WM_INITDIALOG to WM_NCDESTROY and runs its
// handler inside the standard error report. The dialog follows the selected
// look from its creation to its destruction. What every dialog does alike
// (creating it, the first layout, the look, the modal run) is done here; a
// dialog adds only its own controls and commands.
#include "ui/application.h"

#include <windows.h>

#include <optional>

namespace staywick {

class Dialog {
public:
    Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    HWND Handle() const noexcept { return hwnd_; }

    // Places the dialog (PrepareToShow), shows it modally inside the
    // application's loop and returns the result given to EndModal, IDCANCEL
    // when none was.
    int ShowModal(Application& app);

protected:
    // Creates the modeless dialog (hidden) from a template of the resource
    // module, owned by `owner`; throws AppError with `failure` when the
    // system refused.
    void Create(UINT templateId, HWND owner, const wchar_t* failure);
    // Derived classes destroy their dialog in their own destructor, while
    // their members still exist.
    void Destroy();

    // WM_INITDIALOG shows the template's texts (ui/shown_text.h), runs
    // PrepareControls, the first layout at the dialog's resolution, attaches
    // the look, runs FillControls and fits the controls to their texts.
    // Before the first layout: ranges, limits, subclassing, list entries.
    virtual void PrepareControls() {}
    // The dialog's content; false when it gave the focus to a control itself
    // (else the system focuses the first one).
    virtual bool FillControls() { return true; }
    // The dialog procedure's answer for any other message (TRUE when handled).
    virtual INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    // The selected look's colours and background; true when it answered.
    virtual bool HandleLook(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    // Lays the controls out for a resolution as designed; on WM_DPICHANGED
    // the dialog is laid out anew and moved to the place the system suggests,
    // and on a change of the system's text size laid out anew. The controls
    // are then fitted to their texts (ui/text_fit.h).
    virtual void Layout(UINT dpi) = 0;
    // Before each modal show: near the taskbar, as the program's dialogs are.
    virtual void PrepareToShow();

    // Ends the modal run with `result`.
    void EndModal(int result) { result_ = result; }
    // The application while the dialog is shown modally; else null.
    Application* ModalApp() const noexcept { return app_; }
    HWND Owner() const noexcept { return owner_; }

    HWND hwnd_ = nullptr;

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    void LayOut(UINT dpi);

    HWND owner_ = nullptr;
    std::optional<int> result_;
    Application* app_ = nullptr;
};

} // namespace staywick
