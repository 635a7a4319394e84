#include "platform/path_checks.h"

#include <vector>

namespace staywick {

bool IsDriveAvailable(FilesPort& files, wchar_t ch) {
    if (ch >= L'a' && ch <= L'z')
        ch = static_cast<wchar_t>(ch - L'a' + L'A');
    if (ch == L'\\')
        return true;
    if (ch >= L'A' && ch <= L'Z')
        return files.DriveAvailable(ch);
    return false;
}

bool SafeDirectoryExists(FilesPort& files, const std::wstring& path) {
    if (path.empty() || !IsDriveAvailable(files, path.front()))
        return false;
    return files.DirectoryExists(path);
}

bool SafeFileExists(FilesPort& files, const std::wstring& path) {
    if (path.empty() || !IsDriveAvailable(files, path.front()))
        return false;
    return files.FileExists(path);
}

namespace {

// Where the first folder that can be created begins: after "C:\" or after
// "\\server\share\"; 0 for a relative path.
std::size_t FirstLevelStart(const std::wstring& path) {
    if (path.size() >= 2 && path[1] == L':') {
        return (path.size() >= 3 && path[2] == L'\\') ? 3 : 2;
    }
    if (path.rfind(L"\\\\", 0) == 0) {
        const std::size_t server = path.find(L'\\', 2);
        if (server == std::wstring::npos)
            return path.size();
        const std::size_t share = path.find(L'\\', server + 1);
        return share == std::wstring::npos ? path.size() : share + 1;
    }
    return path.empty() || path.front() != L'\\' ? 0 : 1;
}

} // namespace

void ForceDirectories(FilesPort& files, const std::wstring& path) {
    // Every level from the innermost outwards until one exists...
    std::vector<std::wstring> missing;
    std::wstring level = path;
    while (!level.empty() && level.back() == L'\\')
        level.pop_back();
    const std::size_t start = FirstLevelStart(path);
    while (level.size() > start && !SafeDirectoryExists(files, level)) {
        missing.push_back(level);
        const std::size_t cut = level.find_last_of(L'\\');
        if (cut == std::wstring::npos || cut < start)
            break;
        level.erase(cut);
        while (level.size() > start && level.back() == L'\\')
            level.pop_back();
    }
    // ...then created outermost first.
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        files.CreateDirectoryLevel(*it);
    }
}

} // namespace staywick
