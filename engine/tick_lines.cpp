#include "engine/tick_lines.h"

#include "common/decimal_text.h"

namespace staywick {

std::wstring TickOpeningLine() {
    return L"Im in the timer";
}

std::wstring TickIdleLine(std::uint32_t idle) {
    return L"  GetIdleTime: " + DecimalText(idle);
}

std::wstring TickLimitLine(std::int32_t limit) {
    return L"  >= : " + DecimalText(limit);
}

std::wstring DebugIntervalLine(std::uint32_t interval) {
    return L"timer interval at: " + DecimalText(interval);
}

std::wstring LogIdleLine(std::uint32_t idle) {
    return L"IdelTime: " + DecimalText(idle);
}

std::wstring LogCandidateLine(std::int32_t candidate) {
    return L"  aNewInterval: " + DecimalText(candidate);
}

std::wstring LogIntervalLine(std::uint32_t interval) {
    return L"  timer interval at: " + DecimalText(interval);
}

std::wstring ForcedWakeLine() {
    return L"Forced system wake up";
}

} // namespace staywick
