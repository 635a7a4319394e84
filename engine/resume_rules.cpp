#include "engine/resume_rules.h"

#include <algorithm>

namespace staywick {

void UnattendedWakeRule::Resumed(ResumeKind kind, std::uint64_t lastInputAt) noexcept {
    holding_ = kind == ResumeKind::Automatic;
    lastInputAtResume_ = lastInputAt;
}

bool UnattendedWakeRule::HoldsForcedWake(std::uint64_t lastInputAt) noexcept {
    if (holding_ && lastInputAt > lastInputAtResume_ + kInputMovedMs)
        holding_ = false;
    return holding_;
}

void UnattendedWakeRule::OwnInputAt(std::uint64_t at) noexcept {
    if (holding_)
        lastInputAtResume_ = std::max(lastInputAtResume_, at);
}

} // namespace staywick
