#include "ui/dialog_font.h"

#include "ui/dpi.h"

#include <algorithm>
#include <cstdlib>

namespace staywick {

namespace {

// Windows' message font by default: 9 points, 12 pixels at 96 dpi.
constexpr int kDefaultPoints = 9;
constexpr UINT kReferenceDpi = 96;

LANGID g_language = 0;

bool MessageFont(LOGFONTW& font) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    // Asked at 96 dpi, the size holds only the user's choice, not the scaling.
    if (!NonClientMetricsForDpi(metrics, kReferenceDpi))
        return false;
    font = metrics.lfMessageFont;
    return true;
}

} // namespace

int SystemTextScalePercent() {
    LOGFONTW font{};
    if (!MessageFont(font) || font.lfHeight == 0)
        return 100;
    // Wine's default is 8 points (Tahoma): smaller than Windows', so no change.
    const int reference = ::MulDiv(kDefaultPoints, static_cast<int>(kReferenceDpi), 72);
    return std::max(100, ::MulDiv(std::abs(font.lfHeight), 100, reference));
}

bool UsesSystemFace(LANGID uiLanguage) {
    switch (PRIMARYLANGID(uiLanguage)) {
    case LANG_JAPANESE:
    case LANG_CHINESE:
    case LANG_KOREAN:
        return true;
    default:
        return false;
    }
}

void SetDialogLanguage(LANGID language) {
    g_language = language;
}

std::wstring DialogFace(const wchar_t* designed) {
    const LANGID language = g_language ? g_language : ::GetThreadUILanguage();
    LOGFONTW font{};
    if (UsesSystemFace(language) && MessageFont(font) && font.lfFaceName[0])
        return font.lfFaceName;
    return designed;
}

} // namespace staywick
