#pragma once
// File-system questions the settings location needs: where the program lies,
// whether a file or folder is there, creating a folder, probing a drive and
// the system's application-data folders. Win32: platform/win32/files_win32.h.
#include <optional>
#include <string>

namespace staywick {

class FilesPort {
public:
    virtual ~FilesPort() = default;

    // Full path of the folder that holds the running executable, ending in "\".
    virtual std::wstring ExecutableFolder() = 0;

    // Whether a folder exists at the path; a link is followed to its target.
    virtual bool DirectoryExists(const std::wstring& path) = 0;

    // Whether a file (not a folder) exists at the path; a link is followed.
    virtual bool FileExists(const std::wstring& path) = 0;

    // Creates one folder level; its parent must exist. False when refused.
    virtual bool CreateDirectoryLevel(const std::wstring& path) = 0;

    // Whether the total size of the drive's root folder can be queried, for an
    // upper-case letter "A" to "Z". Never brings up a system box asking for a disk.
    virtual bool DriveAvailable(wchar_t letter) = 0;

    // The per-user application-data folder, or the all-users one when common
    // is true, created by the system when missing. Nothing when the system
    // cannot supply it.
    virtual std::optional<std::wstring> AppDataFolder(bool common) = 0;
};

} // namespace staywick
