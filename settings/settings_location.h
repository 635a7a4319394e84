#pragma once
// Where the settings file lies: next to the executable when a settings file
// is already there (portable use), otherwise in the per-user folder
// <application data>\Tessaro\Staywick\, created on demand. The main window
// owns one of these; the log file's folder comes from it too.
#include "platform/files.h"

#include <string>

namespace staywick {

inline constexpr wchar_t kSettingsFileName[] = L"Staywick.Settings";

class SettingsLocation {
public:
    explicit SettingsLocation(FilesPort& files) : files_(files) {}

    // Full path of the settings file. Sets PortableMode; when the portable
    // file is absent, creates the per-user folder.
    std::wstring GetIniFile();

    // Folder ending in "\": the executable's folder in portable mode, else the
    // application-data folder (all-users one when Common) with
    // "Tessaro\Staywick\" added. Missing levels are created, outermost first.
    std::wstring GetAppDataPath(bool Common);

    // True while the file next to the executable is in use.
    bool PortableMode() const noexcept { return portableMode_; }

private:
    FilesPort& files_;
    bool portableMode_ = false;
};

} // namespace staywick
