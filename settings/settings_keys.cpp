#include "settings/settings_keys.h"

#include "common/app_error.h"
#include "settings/settings_file.h"

namespace staywick {

std::wstring SettingsKeys::Read(const wchar_t* key) const {
    return profile_.ReadString(kSettingsSection, key, iniFile_);
}

void SettingsKeys::Write(const wchar_t* key, const std::wstring& value) const {
    if (!profile_.WriteString(kSettingsSection, key, value, iniFile_))
        throw AppError(L"Unable to write to " + iniFile_);
}

void SettingsKeys::Flush() const {
    profile_.Flush(iniFile_);
}

} // namespace staywick
