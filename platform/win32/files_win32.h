#pragma once
// The files seam on Win32: module file name, attribute queries (links
// followed), CreateDirectoryW, a drive-size query under the critical-error
// mode, and the shell's special folders.
#include "platform/files.h"

#include <windows.h>

namespace staywick::win32 {

class Win32Files : public FilesPort {
public:
    // The drive-size query; a test may pass its own to see the error mode in
    // force while the query runs.
    using DiskQuery = BOOL(WINAPI*)(LPCWSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

    // owner: the window that owns any box the shell shows while it finds or
    // creates an application-data folder (the application window).
    explicit Win32Files(HWND owner = nullptr, DiskQuery diskQuery = &::GetDiskFreeSpaceExW)
        : owner_(owner), diskQuery_(diskQuery) {}

    std::wstring ExecutableFolder() override;
    bool DirectoryExists(const std::wstring& path) override;
    bool FileExists(const std::wstring& path) override;
    bool CreateDirectoryLevel(const std::wstring& path) override;
    bool DriveAvailable(wchar_t letter) override;
    std::optional<std::wstring> AppDataFolder(bool common) override;

private:
    HWND owner_;
    DiskQuery diskQuery_;
};

} // namespace staywick::win32
