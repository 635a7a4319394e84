#include "platform/win32/profile_win32.h"

#include <windows.h>

#include <vector>

namespace staywick::win32 {

std::wstring Win32Profile::ReadString(const std::wstring& section, const std::wstring& key,
                                      const std::wstring& path) {
    std::vector<wchar_t> buffer(kReadBufferChars);
    const DWORD n = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                               static_cast<DWORD>(buffer.size()), path.c_str());
    return std::wstring(buffer.data(), n);
}

bool Win32Profile::WriteString(const std::wstring& section, const std::wstring& key,
                               const std::wstring& value, const std::wstring& path) {
    return ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(),
                                        path.c_str()) != FALSE;
}

void Win32Profile::Flush(const std::wstring& path) {
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
}

} // namespace staywick::win32
