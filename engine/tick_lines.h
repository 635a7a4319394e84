#pragma once
// The diagnostic lines of the keep-awake tick, exactly as the debug window
// and the activity log show them. Idle readings and timer intervals are
// unsigned 32-bit, the limit and the computed interval signed 32-bit; the
// leading blanks belong to the text; "IdelTime" is the log's established
// spelling and stays so.
#include <cstdint>
#include <string>

namespace staywick {

// Opening lines of every tick, before the decision.
std::wstring TickOpeningLine();                 // "Im in the timer"
std::wstring TickIdleLine(std::uint32_t idle);  // "  GetIdleTime: <idle>"
std::wstring TickLimitLine(std::int32_t limit); // "  >= : <limit>"

// A tick that only re-aims the timer.
std::wstring DebugIntervalLine(std::uint32_t interval); // "timer interval at: <n>"
std::wstring LogIdleLine(std::uint32_t idle);           // "IdelTime: <idle>"
std::wstring LogCandidateLine(std::int32_t candidate);  // "  aNewInterval: <b>"
std::wstring LogIntervalLine(std::uint32_t interval);   // "  timer interval at: <n>"

// A tick that forced a wake (window and log alike).
std::wstring ForcedWakeLine(); // "Forced system wake up"

} // namespace staywick
