#pragma once
// The profile seam on the Windows profile API.
#include "platform/profile.h"

namespace staywick::win32 {

class Win32Profile : public ProfilePort {
public:
    std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& path) override;
    bool WriteString(const std::wstring& section, const std::wstring& key,
                     const std::wstring& value, const std::wstring& path) override;
    // All-null write: the system writes out its cached copy of the file.
    void Flush(const std::wstring& path) override;
};

} // namespace staywick::win32
