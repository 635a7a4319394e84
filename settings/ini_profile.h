#pragma once
// The profile seam for platforms without the profile API: each read loads the
// whole file and each write rewrites it through the INI text rules, so
// nothing is cached between calls.
#include "platform/profile.h"

#include <string>

namespace staywick {

// What a load found at a path.
struct StoredFile {
    bool exists = false;   // something is at the path
    bool readable = false; // and its bytes could be read
    std::string bytes;
};

// Whole-file access for the portable profile.
class IniStorage {
public:
    virtual ~IniStorage() = default;
    virtual StoredFile Load(const std::wstring& path) = 0;
    // Replaces the file's bytes, creating the file. False when refused.
    virtual bool Store(const std::wstring& path, const std::string& bytes) = 0;
};

// Files through the C++ standard library.
class StdFileStorage : public IniStorage {
public:
    StoredFile Load(const std::wstring& path) override;
    bool Store(const std::wstring& path, const std::string& bytes) override;
};

class IniProfile : public ProfilePort {
public:
    explicit IniProfile(IniStorage& storage) : storage_(storage) {}

    std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& path) override;
    bool WriteString(const std::wstring& section, const std::wstring& key,
                     const std::wstring& value, const std::wstring& path) override;
    // Every write has already reached the file.
    void Flush(const std::wstring&) override {}

private:
    IniStorage& storage_;
};

} // namespace staywick
