#pragma once
// The colour-mode rules: how a registry reading becomes dark or light, and
// what each mode means for the tray glyph and the program's style.
#include <cstdint>
#include <optional>

namespace staywick {

// Colour modes as the program passes them around: 1 dark, 2 light.
inline constexpr std::int32_t kColourModeDark = 1;
inline constexpr std::int32_t kColourModeLight = 2;

// Glyph colours (COLORREF layout 0x00BBGGRR).
inline constexpr std::uint32_t kGlyphWhite = 0x00FFFFFF;
inline constexpr std::uint32_t kGlyphBlack = 0x00000000;

// Whether a mode counts as dark. windows10OrLater: the system knows colour
// modes; lightThemeValue: the REG_DWORD read, or nullopt when the read failed
// (key not opened, value missing, wrong type or size). Older systems have a
// dark taskbar and light applications; every failed read counts as dark.
bool IsDarkFromReading(bool windows10OrLater, bool forTaskbar,
                       std::optional<std::uint32_t> lightThemeValue);

inline std::int32_t ColourModeOf(bool dark) {
    return dark ? kColourModeDark : kColourModeLight;
}

// White glyph on a dark taskbar, black on a light one.
inline std::uint32_t GlyphColourForTrayMode(std::int32_t trayMode) {
    return trayMode == kColourModeDark ? kGlyphWhite : kGlyphBlack;
}

// Applications in dark mode get the dark style; anything else the standard one.
inline bool UsesDarkStyle(std::int32_t menuMode) {
    return menuMode == kColourModeDark;
}

} // namespace staywick
