#include "settings/window_reason_entry.h"

#include "settings/automatic_entry.h"
#include "settings/automatic_settings.h"

namespace staywick {

TypedProgramList CheckTypedProgramList(std::wstring_view typed) {
    TypedProgramList list;
    while (!typed.empty()) {
        const auto end = typed.find(L';');
        const std::wstring_view entry = typed.substr(0, end);
        typed = end == std::wstring_view::npos ? std::wstring_view{} : typed.substr(end + 1);
        const ProgramEntry checked = CheckProgramEntry(list.names, entry);
        if (checked.outcome == ProgramEntryOutcome::NotAFileName) {
            list.refused = TrimmedProgramName(entry);
            return list;
        }
        if (checked.outcome == ProgramEntryOutcome::Add)
            list.names.push_back(checked.name);
    }
    return list;
}

std::wstring WithProgramAdded(std::wstring_view typed, const std::wstring& name) {
    const TypedProgramList list = CheckTypedProgramList(typed);
    if (list.refused.empty() &&
        CheckProgramEntry(list.names, name).outcome != ProgramEntryOutcome::Add)
        return std::wstring(typed);
    std::wstring text(TrimmedProgramName(typed));
    while (!text.empty() && (text.back() == L';' || text.back() == L' '))
        text.pop_back();
    return text.empty() ? name : text + L"; " + name;
}

} // namespace staywick
