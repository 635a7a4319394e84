#include "settings/settings_file.h"

#include "common/app_error.h"
#include "common/scope_exit.h"
#include "engine/clock_target.h"
#include "engine/lid_override.h"
#include "engine/end_action.h"
#include "engine/own_length.h"
#include "settings/clock_reading_text.h"
#include "settings/settings_keys.h"
#include "settings/value_rules.h"

#include <optional>

namespace staywick {

namespace {

constexpr wchar_t kActive[] = L"Active";
constexpr wchar_t kSleepMax[] = L"DontLetSleepMoreThen"; // spelled so in existing files
constexpr wchar_t kActivateFor[] = L"ActivateFor";
constexpr wchar_t kAutoStopped[] = L"AutoStopped";
constexpr wchar_t kInputKey[] = L"InputKey";
constexpr wchar_t kNotifySystem[] = L"NotifySystem";
// Later keys: an older version keeps them untouched.
constexpr wchar_t kActivateUntil[] = L"ActivateUntil";
constexpr wchar_t kActivateUntilEnd[] = L"ActivateUntilEnd";
constexpr wchar_t kHotkey[] = L"Hotkey";
constexpr wchar_t kKeepDisplayOn[] = L"KeepDisplayOn";
constexpr wchar_t kActivateForMinutes[] = L"ActivateForMinutes";
constexpr wchar_t kLidClosedAwake[] = L"LidClosedAwake";
constexpr wchar_t kEndAction[] = L"EndAction";
constexpr wchar_t kWarnBeforeEnd[] = L"WarnBeforeEnd";

std::optional<std::int32_t> ReadMinuteOfDay(const std::wstring& text) {
    const std::optional<std::int32_t> value = ParseInteger(text);
    if (!value || !IsMinuteOfDay(*value))
        return std::nullopt;
    return value;
}

// The end of the "until" session, only beside the time it belongs to: a
// version that knows nothing of this key keeps it as it was while it sets
// another time.
std::optional<std::int64_t> ReadUntilEnd(const std::wstring& text,
                                         std::optional<std::int32_t> until) {
    const std::optional<std::int64_t> end = ParseClockReading(text);
    if (!end || !until || MinuteOfDayAt(*end) != *until)
        return std::nullopt;
    return end;
}

// A hotkey control's value: a virtual key (1..254) in the low byte and only
// the four HOTKEYF_ modifier bits in the next one; anything else is none.
std::int32_t ReadHotkey(const std::wstring& text) {
    const std::int32_t value = ReadInteger(text, 0);
    const std::int32_t key = value & 0xFF;
    if (value < 0 || value > 0x0FFF || key == 0 || key == 0xFF)
        return 0;
    return value;
}

} // namespace

TStaywickOptions LoadOptions(ProfilePort& profile, const std::wstring& iniFile) {
    const TStaywickOptions defaults;
    const SettingsKeys keys(profile, iniFile);
    TStaywickOptions options;
    options.Active = ReadBoolean(keys.Read(kActive), defaults.Active);
    options.SleepMax = ReadInteger(keys.Read(kSleepMax), defaults.SleepMax);
    options.ActivateFor = ReadInteger(keys.Read(kActivateFor), defaults.ActivateFor);
    options.AutoStopped = ReadBoolean(keys.Read(kAutoStopped), defaults.AutoStopped);
    options.InputKey = ReadInteger(keys.Read(kInputKey), defaults.InputKey);
    options.NotifySystem = ReadBoolean(keys.Read(kNotifySystem), defaults.NotifySystem);
    options.ActivateUntil = ReadMinuteOfDay(keys.Read(kActivateUntil));
    options.ActivateUntilEnd = ReadUntilEnd(keys.Read(kActivateUntilEnd), options.ActivateUntil);
    options.Hotkey = ReadHotkey(keys.Read(kHotkey));
    options.KeepDisplayOn = ReadBoolean(keys.Read(kKeepDisplayOn), defaults.KeepDisplayOn);
    options.ActivateForMinutes = OwnLengthFromFile(ParseInteger(keys.Read(kActivateForMinutes)));
    RestoreOwnLength(options);
    options.LidClosedAwake =
        ReadInRange(keys.Read(kLidClosedAwake), kLidAwakeNever, kLidAwakeAlways, kLidAwakeNever);
    const auto action = ParseInteger(keys.Read(kEndAction));
    options.EndAction = static_cast<std::int32_t>(
        EndActionFromValue(action.value_or(0)).value_or(EndAction::Nothing));
    options.WarnBeforeEnd = WarnBeforeEndFromValue(ParseInteger(keys.Read(kWarnBeforeEnd)));
    return options;
}

void SaveOptions(ProfilePort& profile, const std::wstring& iniFile,
                 const TStaywickOptions& options) {
    const TStaywickOptions defaults;
    std::vector<ProfileEntry> entries = {
        {kActive, BooleanText(options.Active)},
        {kSleepMax, IntegerText(options.SleepMax)},
        {kActivateFor, IntegerText(StoredActivateFor(options))},
        {kAutoStopped, BooleanText(options.AutoStopped)},
        {kInputKey, IntegerText(options.InputKey)},
        {kNotifySystem, BooleanText(options.NotifySystem)},
    };
    // The later keys are written while they hold something, and emptied
    // (none) once they held something; a file that never had them stays as
    // an older version wrote it.
    const auto addOptional = [&](const wchar_t* key, const std::optional<std::wstring>& value) {
        if (value)
            entries.push_back({key, *value});
        else if (!SettingsKeys(profile, iniFile).Read(key).empty())
            entries.push_back({key, L""});
    };
    addOptional(kActivateUntil, options.ActivateUntil
                                    ? std::optional(IntegerText(*options.ActivateUntil))
                                    : std::nullopt);
    addOptional(kActivateUntilEnd, options.ActivateUntilEnd
                                       ? std::optional(ClockReadingText(*options.ActivateUntilEnd))
                                       : std::nullopt);
    addOptional(kHotkey,
                options.Hotkey != 0 ? std::optional(IntegerText(options.Hotkey)) : std::nullopt);
    addOptional(kActivateForMinutes, options.ActivateForMinutes
                                         ? std::optional(IntegerText(*options.ActivateForMinutes))
                                         : std::nullopt);
    // Written once chosen: 1, the default, is kept as "1" once the key exists.
    const bool keepDisplayOnKnown =
        !options.KeepDisplayOn || !SettingsKeys(profile, iniFile).Read(kKeepDisplayOn).empty();
    if (keepDisplayOnKnown)
        entries.push_back({kKeepDisplayOn, BooleanText(options.KeepDisplayOn)});
    // Written once chosen, as KeepDisplayOn.
    if (options.LidClosedAwake != kLidAwakeNever ||
        !SettingsKeys(profile, iniFile).Read(kLidClosedAwake).empty())
        entries.push_back({kLidClosedAwake, IntegerText(options.LidClosedAwake)});
    // Written once chosen, as "KeepDisplayOn".
    const auto addOnceChosen = [&](const wchar_t* key, std::int32_t value,
                                   std::int32_t defaultValue) {
        if (value != defaultValue || !SettingsKeys(profile, iniFile).Read(key).empty())
            entries.push_back({key, IntegerText(value)});
    };
    addOnceChosen(kEndAction, options.EndAction, defaults.EndAction);
    addOnceChosen(kWarnBeforeEnd, options.WarnBeforeEnd, defaults.WarnBeforeEnd);
    WriteSettings(profile, iniFile, entries);
}

void WriteSettings(ProfilePort& profile, const std::wstring& iniFile,
                   const std::vector<ProfileEntry>& entries) {
    // The system's cache for the file is written out however the save ends.
    ScopeExit flush([&] { profile.Flush(iniFile); });
    if (!profile.WriteStrings(kSettingsSection, entries, iniFile))
        throw AppError(L"Unable to write to " + iniFile);
}

} // namespace staywick
