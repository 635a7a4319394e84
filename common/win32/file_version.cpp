#include "common/win32/file_version.h"
#include "common/win32/system_message.h"

#include "common/version_text.h"

#include <windows.h>

#include <vector>

namespace staywick {

namespace {

std::wstring FailureText() {
    const DWORD code = ::GetLastError(); // right after the failing call
    return VersionFailureText(static_cast<std::int32_t>(code), SystemErrorMessage(code));
}

} // namespace

std::wstring GetFileVersionText(const std::wstring& fileName) {
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(fileName.c_str(), &handle);
    if (size == 0)
        return FailureText();
    std::vector<unsigned char> buffer(size);
    if (!::GetFileVersionInfoW(fileName.c_str(), 0, size, buffer.data()))
        return FailureText();
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!::VerQueryValueW(buffer.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) ||
        !info || infoSize < sizeof(VS_FIXEDFILEINFO)) {
        return {};
    }
    return FileVersionNumbers(info->dwFileVersionMS, info->dwFileVersionLS);
}

std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace staywick
