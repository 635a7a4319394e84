#pragma once
// The profile seam on whole files: each read loads the file and each write
// replaces it through the INI text rules (settings/ini_file.h), so nothing
// is cached between calls and a write of several keys is one step. The
// portable build reads so too; on Windows the profile API reads
// (settings/win32/profile_win32.h).
#include "platform/file_store.h"
#include "platform/profile.h"

#include <string>
#include <vector>

namespace staywick {

class IniProfile : public ProfilePort {
public:
    explicit IniProfile(FileStore& store) : store_(store) {}

    std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& path) override;
    bool WriteStrings(const std::wstring& section, const std::vector<ProfileEntry>& entries,
                      const std::wstring& path) override;
    // Every write has already reached the file.
    void Flush(const std::wstring&) override {}

private:
    FileStore& store_;
};

} // namespace staywick
