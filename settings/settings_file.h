#pragma once
// Loading and saving the settings record: section "General" of the settings
// file, six keys read and written in a fixed order, a default for every
// value that is missing or does not parse; then "ActivateUntil" (minutes
// after midnight, 0..1439; missing, empty or out of range = none),
// "ActivateUntilEnd" (when that end falls, "2026-01-05 17:00" on the local
// clock; none unless its time is ActivateUntil's), "Hotkey" (the hotkey
// control's value; missing or invalid = 0, none), "ActivateForMinutes" (a
// countdown length no "Activate for" item has, engine/own_length.h),
// "KeepDisplayOn" (1, the default, or 0), "LidClosedAwake" (0, the default,
// 1 or 2; engine/lid_override.h), "EndAction" (0 nothing, the default, to 5
// shut down) and "WarnBeforeEnd" (minutes, 0 none, 1..60, default 5), each
// written once it is changed.
#include "engine/staywick_options.h"
#include "platform/profile.h"

#include <string>
#include <vector>

namespace staywick {

inline constexpr wchar_t kSettingsSection[] = L"General";

// Reads the six values; creates and writes nothing. The caller then sets the
// "Activate for" check mark through the controller.
TStaywickOptions LoadOptions(ProfilePort& profile, const std::wstring& iniFile);

// Writes the six values, then the later keys when they hold something or the
// file already has them, all in one step (WriteSettings).
void SaveOptions(ProfilePort& profile, const std::wstring& iniFile,
                 const TStaywickOptions& options);

// Writes keys of section "General" in one step, then flushes the file (also
// after a failure). A refused write throws AppError "Unable to write to
// <iniFile>" and leaves the file as it was.
void WriteSettings(ProfilePort& profile, const std::wstring& iniFile,
                   const std::vector<ProfileEntry>& entries);

} // namespace staywick
