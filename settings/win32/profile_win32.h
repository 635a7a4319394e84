#pragma once
// The settings file on Windows: read through the profile API, written whole
// through the INI text rules and a replace of the file, so that a save of
// several keys is one step and a name outside the ANSI code page survives.
#include "platform/profile.h"
#include "platform/win32/file_store_win32.h"
#include "settings/ini_profile.h"

namespace staywick::win32 {

class Win32Profile : public ProfilePort {
public:
    // GetPrivateProfileStringW, its buffer grown until the value fits.
    std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& path) override;
    bool WriteStrings(const std::wstring& section, const std::vector<ProfileEntry>& entries,
                      const std::wstring& path) override;
    // All-null write: the system writes out, and forgets, its cached copy of
    // the file (Wine keeps one and checks only the file's time).
    void Flush(const std::wstring& path) override;

private:
    Win32FileStore store_;
    IniProfile writer_{store_};
};

} // namespace staywick::win32
