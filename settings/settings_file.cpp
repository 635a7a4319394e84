#include "settings/settings_file.h"

#include "common/app_error.h"
#include "common/scope_exit.h"
#include "settings/value_rules.h"

namespace staywick {

namespace {

constexpr wchar_t kActive[] = L"Active";
constexpr wchar_t kSleepMax[] = L"DontLetSleepMoreThen"; // spelled so in existing files
constexpr wchar_t kActivateFor[] = L"ActivateFor";
constexpr wchar_t kAutoStopped[] = L"AutoStopped";
constexpr wchar_t kInputKey[] = L"InputKey";
constexpr wchar_t kNotifySystem[] = L"NotifySystem";

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
    write(kActivateFor, IntegerText(options.ActivateFor));
    write(kAutoStopped, BooleanText(options.AutoStopped));
    write(kInputKey, IntegerText(options.InputKey));
    write(kNotifySystem, BooleanText(options.NotifySystem));
}

} // namespace staywick
