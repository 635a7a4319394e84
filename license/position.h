#pragma once
// TPosition: how a dialog is positioned when it is about to be shown.
#include <cstdint>

namespace staywick {

enum TPosition : std::uint8_t {
    poDesigned = 0, // where the code puts it (next to the taskbar for the license)
    poDefault = 1,
    poDefaultPosOnly = 2,
    poDefaultSizeOnly = 3,
    poScreenCenter = 4,
    poDesktopCenter = 5,
    poMainFormCenter = 6,
    poOwnerFormCenter = 7,
};

} // namespace staywick
