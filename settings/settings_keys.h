#pragma once
// The keys of one settings file's section "General" as the loaders and
// savers of its records use them: read as text (a save writes all of its keys
// in one step, WriteSettings).
#include "platform/profile.h"

#include <string>

namespace staywick {

class SettingsKeys {
public:
    // Both must outlive the object.
    SettingsKeys(ProfilePort& profile, const std::wstring& iniFile) noexcept
        : profile_(profile), iniFile_(iniFile) {}

    // The key's text; empty when the file, the section or the key is missing.
    std::wstring Read(const wchar_t* key) const;

private:
    ProfilePort& profile_;
    const std::wstring& iniFile_;
};

} // namespace staywick
