#pragma once
// A profile that passes everything to another one, records each call and can
// refuse the write of one chosen key.
#include "platform/profile.h"

#include <optional>
#include <string>
#include <vector>

namespace staywick::test {

class RecordingProfile : public ProfilePort {
public:
    explicit RecordingProfile(ProfilePort& inner) : inner_(inner) {}

    struct Call {
        std::wstring section, key, path;
    };
    std::vector<Call> reads, writes; // writes: every attempt, refused ones too
    std::vector<std::wstring> flushes;
    std::optional<std::wstring> refuseKey;

    std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& path) override {
        reads.push_back({section, key, path});
        return inner_.ReadString(section, key, path);
    }
    bool WriteString(const std::wstring& section, const std::wstring& key,
                     const std::wstring& value, const std::wstring& path) override {
        writes.push_back({section, key, path});
        if (refuseKey && *refuseKey == key)
            return false;
        return inner_.WriteString(section, key, value, path);
    }
    void Flush(const std::wstring& path) override {
        flushes.push_back(path);
        inner_.Flush(path);
    }

private:
    ProfilePort& inner_;
};

} // namespace staywick::test
