#include "platform/input_rules.h"

namespace staywick {

std::uint8_t VirtualKeyForInputKey(std::int32_t inputKey) noexcept {
    switch (inputKey) {
    case 0:
        return kVirtualKeyF15;
    case 1:
        return kVirtualKeyNumLock;
    default:
        return kVirtualKeyShift;
    }
}

std::uint32_t IdleFromTicks(std::uint32_t nowTick, std::uint32_t lastInputTick) noexcept {
    return nowTick - lastInputTick;
}

} // namespace staywick
