#include "common/win32/theme.h"

#include "common/colour_mode.h"
#include "common/win32/handles.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace staywick {

namespace {
constexpr wchar_t kPersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
}

bool IsWindows10OrLater() {
    const wchar_t* file = L"kernel32.dll";
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(file, &ignored);
    if (size == 0)
        return false;
    std::vector<unsigned char> buffer(size);
    if (!::GetFileVersionInfoW(file, 0, size, buffer.data()))
        return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(buffer.data(), L"\\", reinterpret_cast<void**>(&info), &length) ||
        !info || length < sizeof(VS_FIXEDFILEINFO)) {
        return false;
    }
    return HIWORD(info->dwProductVersionMS) >= 10;
}

bool IsDarkTheme(bool ForTaskbar) {
    const bool windows10 = IsWindows10OrLater();
    std::optional<std::uint32_t> value;
    if (windows10) {
        win32::RegKey key;
        // Created when missing, as the shell would; a missing value then reads as dark.
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kPersonalizeKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, key.Put(), nullptr);
        if (key) {
            DWORD type = 0, data = 0, size = sizeof(data);
            const wchar_t* name = ForTaskbar ? L"SystemUsesLightTheme" : L"AppsUseLightTheme";
            if (::RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&data),
                                   &size) == ERROR_SUCCESS &&
                type == REG_DWORD && size == sizeof(data)) {
                value = data;
            }
        }
    }
    return IsDarkFromReading(windows10, ForTaskbar, value);
}

} // namespace staywick
