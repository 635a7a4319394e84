#include "settings/win32/window_reason_rows.h"

#include "engine/title_patterns.h"
#include "platform/text_rules.h"
#include "resources/resource.h"
#include "settings/automatic_entry.h"
#include "settings/automatic_settings.h"
#include "settings/window_reason_entry.h"
#include "ui/dialog_support.h"
#include "ui/window_utils.h"

#include <algorithm>

namespace staywick {

void FillRunningProgramNames(HWND combo,
                             const std::function<std::vector<RunningProcess>()>& running) {
    const std::wstring typed = WindowText(combo);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    if (running) {
        for (const std::wstring& name : RunningProgramNames(running()))
            ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    ::SetWindowTextW(combo, typed.c_str());
}

void WindowReasonRows::Fill(HWND dlg, const AutomaticOptions& options) {
    ::SetDlgItemTextW(dlg, IDC_AUTO_FRONTNAMES, ProgramListText(options.WhileForeground).c_str());
    ::SetDlgItemTextW(dlg, IDC_AUTO_TITLES, TitlePatternsText(options.WhileWindowTitle).c_str());
}

bool WindowReasonRows::OnCommand(HWND dlg, int id, int code,
                                 const std::function<std::vector<RunningProcess>()>& running) {
    if (id != IDC_AUTO_FRONTNAMES)
        return false;
    HWND field = ::GetDlgItem(dlg, id);
    if (code == CBN_DROPDOWN) {
        typedBeforeDrop_ = WindowText(field);
        FillRunningProgramNames(field, running);
    } else if (code == CBN_SELENDOK) {
        // The field shows the pick alone until this comes back.
        const LRESULT index = ::SendMessageW(field, CB_GETCURSEL, 0, 0);
        if (index != CB_ERR)
            ::PostMessageW(dlg, kProgramPicked, static_cast<WPARAM>(index), 0);
    }
    return true;
}

void WindowReasonRows::ProgramPicked(HWND dlg, WPARAM index) {
    HWND field = ::GetDlgItem(dlg, IDC_AUTO_FRONTNAMES);
    const LRESULT length = ::SendMessageW(field, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        return;
    std::wstring name(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(field, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(name.data()));
    name.resize(static_cast<std::size_t>(length));
    const std::wstring text = WithProgramAdded(typedBeforeDrop_, name);
    ::SetWindowTextW(field, text.c_str());
    const auto end = static_cast<WORD>(std::min<std::size_t>(text.size(), 0x7FFF));
    ::SendMessageW(field, CB_SETEDITSEL, 0, MAKELPARAM(end, end));
    typedBeforeDrop_ = text;
}

bool WindowReasonRows::Read(HWND dlg, AutomaticOptions& chosen) const {
    HWND field = ::GetDlgItem(dlg, IDC_AUTO_FRONTNAMES);
    const TypedProgramList programs = CheckTypedProgramList(WindowText(field));
    if (!programs.refused.empty()) {
        ::MessageBoxW(dlg, LoadResString(IDS_AUTO_NOT_A_FILE_NAME).c_str(), L"Staywick",
                      MB_OK | MB_ICONWARNING);
        ::SetFocus(field);
        ::SendMessageW(field, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        return false;
    }
    chosen.WhileForeground = programs.names;
    chosen.WhileWindowTitle =
        ParseTitlePatterns(WindowText(::GetDlgItem(dlg, IDC_AUTO_TITLES)), &UpperCaseText);
    return true;
}

} // namespace staywick
