#pragma once
// Lines of the activity log's header and of the debug window's idle line;
// the tick's own lines are in engine/tick_lines.h.
#include <cstdint>
#include <string>

namespace staywick {

// The three header lines written when "/L" is seen, before the resumption
// rule can change `Active`.
std::wstring LogHeaderStars();                        // 31 asterisks and one blank
std::wstring LogHeaderActive(bool active);            // "Active: True" / "Active: False"
std::wstring LogHeaderMaxSleep(std::int32_t minutes); // "MaxSleep: <minutes>"

// "Windows has been idle for %d milliseconds."
std::wstring FormatIdleTime(std::uint32_t idleMilliseconds);

// The log file's path: the settings path with ".Settings" replaced by ".log",
// letter case ignored.
std::wstring LogFileNameFor(const std::wstring& settingsPath);

} // namespace staywick
