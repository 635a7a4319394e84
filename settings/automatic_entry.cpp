#include "settings/automatic_entry.h"

#include "common/integer_text.h"
#include "settings/automatic_settings.h"

#include <algorithm>

namespace staywick {

ProgramEntry CheckProgramEntry(const std::vector<std::wstring>& listed, std::wstring_view typed) {
    std::wstring name(TrimmedProgramName(typed));
    if (name.empty())
        return {ProgramEntryOutcome::Empty};
    if (name.find(L'.') == std::wstring::npos)
        name += L".exe";
    if (!IsProgramFileName(name))
        return {ProgramEntryOutcome::NotAFileName};
    const auto known = std::find_if(listed.begin(), listed.end(),
                                    [&](const std::wstring& p) { return SameFileName(p, name); });
    if (known != listed.end())
        return {ProgramEntryOutcome::AlreadyListed, *known};
    return {ProgramEntryOutcome::Add, std::move(name)};
}

std::vector<std::wstring> RunningProgramNames(const std::vector<RunningProcess>& processes) {
    std::vector<std::wstring> names;
    for (const RunningProcess& process : processes) {
        if (IsProgramFileName(process.fileName))
            names.push_back(process.fileName);
    }
    std::stable_sort(names.begin(), names.end(), FileNameLess);
    names.erase(std::unique(names.begin(), names.end(), SameFileName), names.end());
    return names;
}

std::int32_t BoundedFieldValue(std::wstring_view text, std::int32_t low, std::int32_t high) {
    return std::clamp(ParseInteger(text).value_or(low), low, high);
}

} // namespace staywick
