#pragma once
// The fixed values of idle measurement and of the wake actions: the keys a
// forced wake may press, the execution-state flags and the idle arithmetic.
#include <cstdint>

namespace staywick {

// Virtual-key codes of the keys a forced wake may press.
inline constexpr std::uint8_t kVirtualKeyShift = 0x10;
inline constexpr std::uint8_t kVirtualKeyF15 = 0x7E;
inline constexpr std::uint8_t kVirtualKeyNumLock = 0x90;

// Execution-state flags: continuous + system + display, and continuous alone.
inline constexpr std::uint32_t kAwakeRequestFlags = 0x80000003u;
// Continuous + system: the display may turn off (while the session is locked).
inline constexpr std::uint32_t kSystemAwakeRequestFlags = 0x80000001u;
inline constexpr std::uint32_t kAwakeReleaseFlags = 0x80000000u;

// 0 F15, 1 Num Lock, any other value Shift.
std::uint8_t VirtualKeyForInputKey(std::int32_t inputKey) noexcept;

// Milliseconds from `lastInputTick` to `nowTick`, both 32-bit tick counts;
// modulo 2^32, so a wrapped tick counter still gives the right answer.
std::uint32_t IdleFromTicks(std::uint32_t nowTick, std::uint32_t lastInputTick) noexcept;

} // namespace staywick
