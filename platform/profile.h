#pragma once
// The profile seam: named values in sections of an INI text file. On Windows
// read through the profile API and written whole (settings/win32/
// profile_win32.h); elsewhere the portable reader and writer
// (settings/ini_profile.h).
#include <string>
#include <vector>

namespace staywick {

struct ProfileEntry {
    std::wstring key, value;
};

class ProfilePort {
public:
    virtual ~ProfilePort() = default;

    // The whole value of a key, however long; empty when the file, the
    // section or the key is missing.
    virtual std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                                    const std::wstring& path) = 0;

    // Writes the keys, in their order, in one step: a reader of the file,
    // even after a crash or a power cut, finds all of them or none. False
    // when the write is refused; the file is then as it was.
    virtual bool WriteStrings(const std::wstring& section, const std::vector<ProfileEntry>& entries,
                              const std::wstring& path) = 0;

    // Writes out whatever the system still holds for the file.
    virtual void Flush(const std::wstring& path) = 0;
};

} // namespace staywick
