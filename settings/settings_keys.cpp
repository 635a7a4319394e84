#include "settings/settings_keys.h"

#include "settings/settings_file.h"

namespace staywick {

std::wstring SettingsKeys::Read(const wchar_t* key) const {
    return profile_.ReadString(kSettingsSection, key, iniFile_);
}

} // namespace staywick
