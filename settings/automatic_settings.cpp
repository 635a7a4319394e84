#include "settings/automatic_settings.h"

#include "engine/title_patterns.h"
#include "platform/process_watch.h"
#include "platform/text_rules.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "settings/value_rules.h"

#include <algorithm>

namespace staywick {

namespace {

constexpr wchar_t kWhilePrograms[] = L"WhilePrograms";
constexpr wchar_t kScheduleDays[] = L"ScheduleDays";
constexpr wchar_t kScheduleFrom[] = L"ScheduleFrom";
constexpr wchar_t kScheduleTo[] = L"ScheduleTo";
constexpr wchar_t kPauseOnBattery[] = L"PauseOnBattery";
constexpr wchar_t kPauseBelowBattery[] = L"PauseBelowBattery";
constexpr wchar_t kPauseOnLidClosed[] = L"PauseOnLidClosed";
constexpr wchar_t kDisplayOffWhenLocked[] = L"DisplayOffWhenLocked";
constexpr wchar_t kWhileForeground[] = L"WhileForeground";
constexpr wchar_t kWhileWindowTitle[] = L"WhileWindowTitle";

constexpr std::int32_t kLastMinuteOfDay = 24 * 60 - 1;

// Only 0 and 1: a Boolean key written by hand as 2 is no choice the program
// ever writes, so it counts as unreadable.
bool ReadChoice(std::wstring_view text, bool defaultValue) {
    return ReadInRange(text, 0, 1, defaultValue ? 1 : 0) != 0;
}

} // namespace

std::wstring_view TrimmedProgramName(std::wstring_view text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

bool IsProgramFileName(std::wstring_view name) {
    if (name.empty() || name.size() > 260 || name == L"." || name == L"..")
        return false;
    return std::none_of(name.begin(), name.end(), [](wchar_t c) {
        return c < 32 || std::wstring_view(L"\\/:*?\"<>|;").find(c) != std::wstring_view::npos;
    });
}

std::vector<std::wstring> ParseProgramList(std::wstring_view text) {
    std::vector<std::wstring> programs;
    while (!text.empty()) {
        const auto end = text.find(L';');
        const std::wstring_view name = TrimmedProgramName(text.substr(0, end));
        const bool known =
            std::any_of(programs.begin(), programs.end(),
                        [&](const std::wstring& p) { return SameFileName(p, std::wstring(name)); });
        if (IsProgramFileName(name) && !known)
            programs.emplace_back(name);
        text = end == std::wstring_view::npos ? std::wstring_view{} : text.substr(end + 1);
    }
    return programs;
}

std::wstring ProgramListText(const std::vector<std::wstring>& programs) {
    std::wstring text;
    for (const auto& program : programs) {
        if (!text.empty())
            text += L';';
        text += program;
    }
    return text;
}

AutomaticOptions LoadAutomaticOptions(ProfilePort& profile, const std::wstring& iniFile) {
    const AutomaticOptions defaults;
    const SettingsKeys keys(profile, iniFile);
    AutomaticOptions options;
    options.WhilePrograms = ParseProgramList(keys.Read(kWhilePrograms));
    options.ScheduleDays = ReadInRange(keys.Read(kScheduleDays), 0, 127, defaults.ScheduleDays);
    options.ScheduleFrom =
        ReadInRange(keys.Read(kScheduleFrom), 0, kLastMinuteOfDay, defaults.ScheduleFrom);
    options.ScheduleTo =
        ReadInRange(keys.Read(kScheduleTo), 0, kLastMinuteOfDay, defaults.ScheduleTo);
    PauseChoices& p = options.Pauses;
    p.PauseOnBattery = ReadChoice(keys.Read(kPauseOnBattery), defaults.Pauses.PauseOnBattery);
    p.PauseBelowBattery =
        ReadInRange(keys.Read(kPauseBelowBattery), 0, 100, defaults.Pauses.PauseBelowBattery);
    p.PauseOnLidClosed = ReadChoice(keys.Read(kPauseOnLidClosed), defaults.Pauses.PauseOnLidClosed);
    p.DisplayOffWhenLocked =
        ReadChoice(keys.Read(kDisplayOffWhenLocked), defaults.Pauses.DisplayOffWhenLocked);
    options.WhileForeground = ParseProgramList(keys.Read(kWhileForeground));
    options.WhileWindowTitle = ParseTitlePatterns(keys.Read(kWhileWindowTitle), &UpperCaseText);
    return options;
}

void SaveAutomaticOptions(ProfilePort& profile, const std::wstring& iniFile,
                          const AutomaticOptions& options) {
    std::vector<ProfileEntry> entries = {
        {kWhilePrograms, ProgramListText(options.WhilePrograms)},
        {kScheduleDays, IntegerText(options.ScheduleDays)},
        {kScheduleFrom, IntegerText(options.ScheduleFrom)},
        {kScheduleTo, IntegerText(options.ScheduleTo)},
        {kPauseOnBattery, BooleanText(options.Pauses.PauseOnBattery)},
        {kPauseBelowBattery, IntegerText(options.Pauses.PauseBelowBattery)},
        {kPauseOnLidClosed, BooleanText(options.Pauses.PauseOnLidClosed)},
        {kDisplayOffWhenLocked, BooleanText(options.Pauses.DisplayOffWhenLocked)}};
    // The later reasons' keys are written once used: a file that never had
    // them stays as an older version wrote it.
    const auto addOnceUsed = [&](const wchar_t* key, const std::wstring& value) {
        if (!value.empty() || !SettingsKeys(profile, iniFile).Read(key).empty())
            entries.push_back({key, value});
    };
    addOnceUsed(kWhileForeground, ProgramListText(options.WhileForeground));
    addOnceUsed(kWhileWindowTitle, TitlePatternsText(options.WhileWindowTitle));
    WriteSettings(profile, iniFile, entries);
}

} // namespace staywick
