#pragma once
// Existence tests and folder creation on top of the files seam. They never
// touch a drive that is not there, so no system box asks for a disk.
#include "platform/files.h"

#include <string>

namespace staywick {

// "\" (UNC or root-relative) gives true, a letter gives whether its drive
// answers, anything else false. Lower-case letters count as upper case.
bool IsDriveAvailable(FilesPort& files, wchar_t ch);

// False for an empty path or one whose drive is unavailable; otherwise
// whether a folder exists there.
bool SafeDirectoryExists(FilesPort& files, const std::wstring& path);

// The same guard; then whether a file (not a folder) exists there.
bool SafeFileExists(FilesPort& files, const std::wstring& path);

// Creates every missing level of a folder, outermost first. Failures are left
// for the later use of the folder to show.
void ForceDirectories(FilesPort& files, const std::wstring& path);

} // namespace staywick
