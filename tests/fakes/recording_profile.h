#pragma once
// A profile that passes everything to another one, records each call and can
// refuse a write that holds one chosen key.
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
    struct Write {
        std::wstring section, path;
        std::vector<std::wstring> keys;
    };
    std::vector<Call> reads;
    std::vector<Write> writes; // every attempt, refused ones too
    std::vector<std::wstring> flushes;
    std::optional<std::wstring> refuseKey;

    std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& path) override {
        reads.push_back({section, key, path});
        return inner_.ReadString(section, key, path);
    }
    bool WriteStrings(const std::wstring& section, const std::vector<ProfileEntry>& entries,
                      const std::wstring& path) override {
        Write write{section, path, {}};
        bool refused = false;
        for (const ProfileEntry& entry : entries) {
            write.keys.push_back(entry.key);
            refused = refused || (refuseKey && *refuseKey == entry.key);
        }
        writes.push_back(write);
        return !refused && inner_.WriteStrings(section, entries, path);
    }
    void Flush(const std::wstring& path) override {
        flushes.push_back(path);
        inner_.Flush(path);
    }

private:
    ProfilePort& inner_;
};

} // namespace staywick::test
