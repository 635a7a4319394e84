#pragma once
// Recording stand-ins for the tray view and the diagnostic outputs the
// keep-awake controller drives.
#include "common/app_error.h"
#include "engine/activate_for_items.h"
#include "engine/keep_awake_seams.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace staywick::fakes {

class RecordingView : public KeepAwakeView {
    static std::array<bool, kActivateForTags.size()> MakeAllEnabled() {
        std::array<bool, kActivateForTags.size()> all{};
        all.fill(true);
        return all;
    }

public:
    void SetStatusChecked(bool value) override { statusChecked = value; }
    void SetStatusCaption(const std::wstring& value) override { caption = value; }
    void SetActivateForChecked(std::size_t position, bool value) override {
        checks.at(position) = value;
    }
    void SetActivateUntilChecked(bool value) override { untilChecked = value; }
    void SetActivateForOwnChecked(bool value) override { ownChecked = value; }
    void SetKeepDisplayOn(bool checked, bool enabled) override {
        keepDisplayOnChecked = checked;
        keepDisplayOnEnabled = enabled;
    }
    void SetActivateForEnabled(std::size_t position, bool value) override {
        enabled.at(position) = value;
    }
    void SetTrayTip(const std::wstring& value) override { tip = value; }
    void UpdateTrayIcon(std::int32_t index) override { trayIcons.push_back(index); }

    std::vector<std::size_t> CheckedPositions() const {
        std::vector<std::size_t> result;
        for (std::size_t i = 0; i < checks.size(); ++i) {
            if (checks[i])
                result.push_back(i);
        }
        return result;
    }

    bool statusChecked = false;
    bool untilChecked = false;
    bool ownChecked = false;
    bool keepDisplayOnChecked = false;
    bool keepDisplayOnEnabled = false;
    std::wstring caption, tip;
    std::array<bool, kActivateForTags.size()> checks{};
    std::array<bool, kActivateForTags.size()> enabled = MakeAllEnabled();
    std::vector<std::int32_t> trayIcons;
};

// Lines land in one list, prefixed "log|" or "dbg|", so their order across
// both outputs can be checked.
class RecordingDiagnostics : public TickDiagnostics {
public:
    bool LogEnabled() const override { return logEnabled; }
    void AppendLog(const std::wstring& line) override {
        if (failLogAt >= 0 && logLinesTried++ == failLogAt) {
            throw AppError(L"Cannot create file \"X:\\Staywick.log\". The path was not found");
        }
        lines.push_back(L"log|" + line);
    }
    void DebugWrite(const std::wstring& line) override { lines.push_back(L"dbg|" + line); }

    bool logEnabled = false;
    int failLogAt = -1; // 0-based index of the log line that fails; -1 never
    int logLinesTried = 0;
    std::vector<std::wstring> lines;
};

} // namespace staywick::fakes
