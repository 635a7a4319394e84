#include "settings/settings_location.h"

#include "common/path_functions.h"
#include "platform/path_checks.h"

namespace staywick {

std::wstring SettingsLocation::GetIniFile() {
    const std::wstring portable =
        WithTrailingBackslash(files_.ExecutableFolder()) + kSettingsFileName;
    if (SafeFileExists(files_, portable)) {
        portableMode_ = true;
        return portable;
    }
    portableMode_ = false;
    return GetAppDataPath(false) + kSettingsFileName;
}

std::wstring SettingsLocation::GetAppDataPath(bool Common) {
    std::wstring folder;
    if (portableMode_) {
        folder = WithTrailingBackslash(files_.ExecutableFolder());
    } else if (const auto appData = files_.AppDataFolder(Common); appData && !appData->empty()) {
        folder = WithTrailingBackslash(*appData) + L"Tessaro\\Staywick\\";
    } else {
        // Without an application-data folder the settings stay beside the
        // program rather than on a path made of whatever the system left.
        folder = WithTrailingBackslash(files_.ExecutableFolder());
    }
    if (!SafeDirectoryExists(files_, folder))
        ForceDirectories(files_, folder);
    return folder;
}

} // namespace staywick
