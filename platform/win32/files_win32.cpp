#include "platform/win32/files_win32.h"

#include "common/win32/handles.h"

#include <shlobj.h>

#include <vector>

namespace staywick::win32 {

namespace {

// Attributes of what the path names, a link followed to its target; nothing
// when the path (or a link's target) is not there.
std::optional<DWORD> TargetAttributes(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return attributes;
    // Opening without FILE_FLAG_OPEN_REPARSE_POINT reaches the target;
    // backup semantics let a folder be opened too.
    FileHandle target(::CreateFileW(path.c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!target)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(target.Get(), &info))
        return std::nullopt;
    return info.dwFileAttributes;
}

} // namespace

std::wstring Win32Files::ExecutableFolder() {
    // Grow the buffer until the whole path fits (long paths exceed MAX_PATH).
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return {};
        if (n < buffer.size()) {
            const std::wstring path(buffer.data(), n);
            const std::size_t cut = path.find_last_of(L'\\');
            return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool Win32Files::DirectoryExists(const std::wstring& path) {
    const auto attributes = TargetAttributes(path);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::FileExists(const std::wstring& path) {
    const auto attributes = TargetAttributes(path);
    return attributes && !(*attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::CreateDirectoryLevel(const std::wstring& path) {
    return ::CreateDirectoryW(path.c_str(), nullptr) != FALSE;
}

bool Win32Files::DriveAvailable(wchar_t letter) {
    const wchar_t root[] = {letter, L':', L'\\', L'\0'};
    ULARGE_INTEGER total{};
    // No "insert a disk" box for an empty removable drive; the caller's mode comes back.
    const UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS);
    const BOOL ok = diskQuery_(root, nullptr, &total, nullptr);
    ::SetErrorMode(previous);
    return ok != FALSE;
}

std::optional<std::wstring> Win32Files::AppDataFolder(bool common) {
    wchar_t buffer[MAX_PATH + 1] = {};
    if (!::SHGetSpecialFolderPathW(owner_, buffer, common ? CSIDL_COMMON_APPDATA : CSIDL_APPDATA,
                                   TRUE)) {
        return std::nullopt;
    }
    return std::wstring(buffer);
}

} // namespace staywick::win32
