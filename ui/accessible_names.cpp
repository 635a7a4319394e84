#include "ui/accessible_names.h"

#include "ui/dialog_support.h"

namespace staywick {

void AddHiddenLabel(HWND dialog, int fieldId, UINT textId) {
    HWND field = ::GetDlgItem(dialog, fieldId);
    if (!field)
        return;
    HWND label = ::CreateWindowExW(0, L"STATIC", LoadResString(textId).c_str(),
                                   WS_CHILD | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, dialog, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    if (!label)
        return;
    HWND before = ::GetWindow(field, GW_HWNDPREV);
    ::SetWindowPos(label, before ? before : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void PlaceInTabOrderAfter(HWND dialog, int id, int afterId) {
    HWND control = ::GetDlgItem(dialog, id);
    HWND after = ::GetDlgItem(dialog, afterId);
    if (control && after)
        ::SetWindowPos(control, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace staywick
