#pragma once
// The lid-close action of power schemes held in memory, which can refuse
// reads and writes, and an in-memory store of the values found, which can
// refuse to keep them. Both write what they are asked into one shared list,
// so a test sees the order of the calls.
#include "common/app_error.h"
#include "engine/lid_override.h"
#include "platform/lid_close_action.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace staywick::fakes {

inline const std::wstring kBalanced = L"{381B4222-F694-41F0-9685-FF5BB260DF2E}";
inline const std::wstring kSaver = L"{A1841308-3541-4FAB-BC81-F71556F20B4A}";

struct LidValues {
    std::uint32_t ac = 1; // sleep, as Windows ships it
    std::uint32_t dc = 1;
    friend bool operator==(const LidValues&, const LidValues&) = default;
};

class FakeLidCloseAction : public LidCloseAction {
public:
    explicit FakeLidCloseAction(std::vector<std::wstring>& log) : log_(log) {}

    std::optional<std::wstring> ActiveScheme() override {
        if (noActiveScheme)
            return std::nullopt;
        return active;
    }
    std::optional<std::uint32_t> Read(const std::wstring& scheme, PowerLine line) override {
        log_.push_back(L"read " + Line(line));
        if (refuseRead || !schemes.count(scheme))
            return std::nullopt;
        return line == PowerLine::Ac ? schemes[scheme].ac : schemes[scheme].dc;
    }
    bool Write(const std::wstring& scheme, PowerLine line, std::uint32_t value) override {
        log_.push_back(L"write " + Line(line) + L" " + std::to_wstring(value));
        if (refuseWrite == line || refuseEveryWrite || !schemes.count(scheme))
            return false;
        (line == PowerLine::Ac ? schemes[scheme].ac : schemes[scheme].dc) = value;
        return true;
    }
    bool Activate(const std::wstring& scheme) override {
        log_.push_back(L"activate " + scheme);
        return true;
    }

    std::map<std::wstring, LidValues> schemes{{kBalanced, {}}, {kSaver, {}}};
    std::wstring active = kBalanced;
    bool noActiveScheme = false; // PowerGetActiveScheme fails (Wine)
    bool refuseRead = false;
    std::optional<PowerLine> refuseWrite; // ERROR_ACCESS_DENIED on that line
    bool refuseEveryWrite = false;

private:
    static std::wstring Line(PowerLine line) { return line == PowerLine::Ac ? L"AC" : L"DC"; }
    std::vector<std::wstring>& log_;
};

class MemoryLidOriginals : public LidOriginalsStore {
public:
    explicit MemoryLidOriginals(std::vector<std::wstring>& log) : log_(log) {}

    std::optional<LidOriginals> Load() override { return kept; }
    void Save(const LidOriginals& originals) override {
        log_.push_back(L"save");
        if (refuse)
            throw AppError(L"Unable to write to C:\\p\\Staywick.Settings");
        kept = originals;
    }
    void Clear() override {
        log_.push_back(L"clear");
        if (refuse)
            throw AppError(L"Unable to write to C:\\p\\Staywick.Settings");
        kept.reset();
    }

    std::optional<LidOriginals> kept;
    bool refuse = false; // a read-only settings file

private:
    std::vector<std::wstring>& log_;
};

} // namespace staywick::fakes
