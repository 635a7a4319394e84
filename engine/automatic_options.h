#pragma once
// The settings of keep-awake by itself: the programs that keep the computer
// awake while they run, the weekly schedule and the pause choices. Kept
// beside TStaywickOptions under keys of their own, which an older version
// simply leaves alone.
#include "engine/keep_awake_rule.h"

#include <cstdint>
#include <string>
#include <vector>

namespace staywick {

struct AutomaticOptions {
    std::vector<std::wstring> WhilePrograms{}; // file names, such as obs64.exe
    std::int32_t ScheduleDays = 0;             // Monday 1 ... Sunday 64; 0 none
    std::int32_t ScheduleFrom = 9 * 60;        // minutes after midnight
    std::int32_t ScheduleTo = 17 * 60;
    PauseChoices Pauses{};
    std::vector<std::wstring> WhileForeground{};  // file names, kept awake while one is in front
    std::vector<std::wstring> WhileWindowTitle{}; // title patterns with * and ?

    friend bool operator==(const AutomaticOptions&, const AutomaticOptions&) = default;
};

} // namespace staywick
