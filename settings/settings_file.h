#pragma once
// Loading and saving the settings record: section "General" of the settings
// file, six keys read and written in a fixed order, a default for every
// value that is missing or does not parse; then "ActivateUntil" (minutes
// after midnight, 0..1439; missing, empty or out of range = none) and
// "Hotkey" (the hotkey control's value; missing or invalid = 0, none),
// "ActivateForMinutes" (a countdown length no "Activate for" item has,
// engine/own_length.h) and "KeepDisplayOn" (1, the default, or 0).
#include "engine/staywick_options.h"
#include "platform/profile.h"

#include <string>

namespace staywick {

inline constexpr wchar_t kSettingsSection[] = L"General";

// Reads the six values; creates and writes nothing. The caller then sets the
// "Activate for" check mark through the controller.
TStaywickOptions LoadOptions(ProfilePort& profile, const std::wstring& iniFile);

// Writes the six values, each at once, then the later two when they hold
// something or the file already has them, then flushes the file (also after
// a failure). A refused write throws AppError "Unable to write to <iniFile>":
// keys before it stay written, later ones are not attempted.
void SaveOptions(ProfilePort& profile, const std::wstring& iniFile,
                 const TStaywickOptions& options);

} // namespace staywick
