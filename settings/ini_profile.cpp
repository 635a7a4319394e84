#include "settings/ini_profile.h"

#include "settings/ini_file.h"

namespace staywick {

std::wstring IniProfile::ReadString(const std::wstring& section, const std::wstring& key,
                                    const std::wstring& path) {
    const StoredFile file = store_.Load(path);
    if (!file.readable)
        return {};
    return ReadIniFileValue(file.bytes, section, key).value_or(std::wstring());
}

bool IniProfile::WriteStrings(const std::wstring& section, const std::vector<ProfileEntry>& entries,
                              const std::wstring& path) {
    // A file that is there but cannot be read is not overwritten: its content would be lost.
    const StoredFile file = store_.Load(path);
    if (file.exists && !file.readable)
        return false;
    const auto updated = SetIniFileValues(file.bytes, section, entries);
    return updated && store_.Replace(path, *updated);
}

} // namespace staywick
