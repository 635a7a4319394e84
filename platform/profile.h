#pragma once
// The profile seam: named values in sections of an INI text file. On Windows
// the profile API (platform/win32/profile_win32.h); elsewhere the portable
// reader and writer (settings/ini_profile.h).
#include <cstddef>
#include <string>

namespace staywick {

class ProfilePort {
public:
    // The read buffer holds 2,048 characters with the terminating null, so a
    // longer value comes back cut to its first 2,047 characters.
    static constexpr std::size_t kReadBufferChars = 2048;

    virtual ~ProfilePort() = default;

    // The value of a key; empty when the file, the section or the key is missing.
    virtual std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                                    const std::wstring& path) = 0;

    // Writes one value at once. False when the write is refused.
    virtual bool WriteString(const std::wstring& section, const std::wstring& key,
                             const std::wstring& value, const std::wstring& path) = 0;

    // Writes out whatever the system still holds for the file.
    virtual void Flush(const std::wstring& path) = 0;
};

} // namespace staywick
