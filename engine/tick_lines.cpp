#include "engine/tick_lines.h"

namespace staywick {

std::wstring TickOpeningLine() {
    return L"Im in the timer";
}

std::wstring TickIdleLine(std::uint32_t idle) {
    return L"  GetIdleTime: " + std::to_wstring(idle);
}

std::wstring TickLimitLine(std::int32_t limit) {
    return L"  >= : " + std::to_wstring(limit);
}

std::wstring DebugIntervalLine(std::uint32_t interval) {
    return L"timer interval at: " + std::to_wstring(interval);
}

std::wstring LogIdleLine(std::uint32_t idle) {
    return L"IdelTime: " + std::to_wstring(idle);
}

std::wstring LogCandidateLine(std::int32_t candidate) {
    return L"  aNewInterval: " + std::to_wstring(candidate);
}

std::wstring LogIntervalLine(std::uint32_t interval) {
    return L"  timer interval at: " + std::to_wstring(interval);
}

std::wstring ForcedWakeLine() {
    return L"Forced system wake up";
}

} // namespace staywick
