#include "settings/settings_file.h"

#include "common/app_error.h"
#include "common/scope_exit.h"
#include "engine/own_length.h"
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
constexpr wchar_t kHotkey[] = L"Hotkey";
constexpr wchar_t kKeepDisplayOn[] = L"KeepDisplayOn";
constexpr wchar_t kActivateForMinutes[] = L"ActivateForMinutes";

constexpr std::int32_t kMinutesPerDay = 1440;

std::optional<std::int32_t> ReadMinuteOfDay(const std::wstring& text) {
    const std::optional<std::int32_t> value = ParseInteger(text);
    if (!value || *value < 0 || *value >= kMinutesPerDay)
        return std::nullopt;
    return value;
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
    const auto read = [&](const wchar_t* key) {
        return profile.ReadString(kSettingsSection, key, iniFile);
    };
    TStaywickOptions options;
    options.Active = ReadBoolean(read(kActive), defaults.Active);
    options.SleepMax = ReadInteger(read(kSleepMax), defaults.SleepMax);
    options.ActivateFor = ReadInteger(read(kActivateFor), defaults.ActivateFor);
    options.AutoStopped = ReadBoolean(read(kAutoStopped), defaults.AutoStopped);
    options.InputKey = ReadInteger(read(kInputKey), defaults.InputKey);
    options.NotifySystem = ReadBoolean(read(kNotifySystem), defaults.NotifySystem);
    options.ActivateUntil = ReadMinuteOfDay(read(kActivateUntil));
    options.Hotkey = ReadHotkey(read(kHotkey));
    options.KeepDisplayOn = ReadBoolean(read(kKeepDisplayOn), defaults.KeepDisplayOn);
    options.ActivateForMinutes = OwnLengthFromFile(ParseInteger(read(kActivateForMinutes)));
    RestoreOwnLength(options);
    return options;
}

void SaveOptions(ProfilePort& profile, const std::wstring& iniFile,
                 const TStaywickOptions& options) {
    // The system's cache for the file is written out however the save ends.
    ScopeExit flush([&] { profile.Flush(iniFile); });
    const auto write = [&](const wchar_t* key, const std::wstring& value) {
        if (!profile.WriteString(kSettingsSection, key, value, iniFile)) {
            throw AppError(L"Unable to write to " + iniFile);
        }
    };
    write(kActive, BooleanText(options.Active));
    write(kSleepMax, IntegerText(options.SleepMax));
    write(kActivateFor, IntegerText(StoredActivateFor(options)));
    write(kAutoStopped, BooleanText(options.AutoStopped));
    write(kInputKey, IntegerText(options.InputKey));
    write(kNotifySystem, BooleanText(options.NotifySystem));
    // The later keys are written while they hold something, and emptied
    // (none) once they held something; a file that never had them stays as
    // an older version wrote it.
    const auto writeOptional = [&](const wchar_t* key, const std::optional<std::wstring>& value) {
        if (value)
            write(key, *value);
        else if (!profile.ReadString(kSettingsSection, key, iniFile).empty())
            write(key, L"");
    };
    writeOptional(kActivateUntil, options.ActivateUntil
                                      ? std::optional(IntegerText(*options.ActivateUntil))
                                      : std::nullopt);
    writeOptional(kHotkey,
                  options.Hotkey != 0 ? std::optional(IntegerText(options.Hotkey)) : std::nullopt);
    writeOptional(kActivateForMinutes, options.ActivateForMinutes
                                           ? std::optional(IntegerText(*options.ActivateForMinutes))
                                           : std::nullopt);
    // Written once chosen: 1, the default, is kept as "1" once the key exists.
    const bool keepDisplayOnKnown =
        !options.KeepDisplayOn ||
        !profile.ReadString(kSettingsSection, kKeepDisplayOn, iniFile).empty();
    if (keepDisplayOnKnown)
        write(kKeepDisplayOn, BooleanText(options.KeepDisplayOn));
}

} // namespace staywick
