#pragma once
// The "&Activate for" submenu as the controller walks it: thirteen items by
// position, each with its minutes as tag. Position 1 is the separator (tag 0,
// never checked visibly). The tray builds its menu in this same order.
#include <array>
#include <cstddef>
#include <cstdint>

namespace staywick {

inline constexpr std::array<std::int64_t, 13> kActivateForTags = {
    0,                                // "&Indefinitely"
    0,                                // separator
    5,  10,  15,  30,                 // minutes
    60, 120, 240, 360, 480, 600, 720, // 1 to 12 hours
};

inline constexpr std::size_t kActivateForSeparator = 1;
inline constexpr std::size_t kActivateForIndefinitely = 0;

} // namespace staywick
