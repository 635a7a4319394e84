#include "settings/win32/profile_win32.h"

#include <windows.h>

#include <vector>

namespace staywick::win32 {

namespace {
// The first buffer: a value this long or longer comes back cut, and is read
// again into a buffer twice the size.
constexpr DWORD kFirstReadChars = 2048;
} // namespace

std::wstring Win32Profile::ReadString(const std::wstring& section, const std::wstring& key,
                                      const std::wstring& path) {
    std::vector<wchar_t> buffer(kFirstReadChars);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD n = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                                   size, path.c_str());
        // A value that fills the buffer to its last character was cut.
        if (n + 1 < size || size > 0x3FFFFFFF)
            return std::wstring(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

bool Win32Profile::WriteStrings(const std::wstring& section,
                                const std::vector<ProfileEntry>& entries,
                                const std::wstring& path) {
    return writer_.WriteStrings(section, entries, path);
}

void Win32Profile::Flush(const std::wstring& path) {
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
}

} // namespace staywick::win32
