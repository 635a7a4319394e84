#include "common/colour_mode.h"

namespace staywick {

bool IsDarkFromReading(bool windows10OrLater, bool forTaskbar,
                       std::optional<std::uint32_t> lightThemeValue) {
    if (!windows10OrLater)
        return forTaskbar;
    if (!lightThemeValue)
        return true;
    return *lightThemeValue == 0;
}

} // namespace staywick
