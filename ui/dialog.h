#pragma once
// Base of the program's template dialogs: one static dialog procedure keeps
// the object in DWLP_USER from WM_INITDIALOG to WM_NCDESTROY and runs its
// handler inside the standard error report. The dialog follows the selected
// look from its creation to its destruction.
#include <windows.h>

namespace staywick {

class Dialog {
public:
    Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    HWND Handle() const noexcept { return hwnd_; }

protected:
    // Creates the modeless dialog from a template of the resource module;
    // returns its window, or nullptr when the system refused.
    HWND CreateFromTemplate(UINT templateId, HWND owner);
    // Derived classes destroy their dialog in their own destructor, while
    // their members still exist.
    void Destroy();

    // The dialog procedure's answer for one message (TRUE when handled).
    virtual INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    // Lays the controls out for a resolution; on WM_DPICHANGED the dialog is
    // laid out anew and moved to the place the system suggests.
    virtual void Layout(UINT dpi) = 0;

    HWND hwnd_ = nullptr;

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
};

} // namespace staywick
