#include "tray/win32/tray_appearance.h"

#include "common/colour_mode.h"
#include "common/contrast.h"
#include "common/win32/theme.h"
#include "tray/glyph_pixels.h"
#include "ui/visual_style.h"

namespace staywick {

std::int32_t GetTrayModeColor() {
    return ColourModeOf(IsDarkTheme(true));
}

std::int32_t GetMenuModeColor() {
    return ColourModeOf(IsDarkTheme(false));
}

TTrayAppearance::TTrayAppearance(TGlyphList& TrayIcons, TTrayIcon& Tray, TRCPopupMenu* menu,
                                 int windowDpi, TimerPort& redrawTimer)
    : trayIcons_(TrayIcons), tray_(Tray), menu_(menu), dpi_(windowDpi), redrawTimer_(redrawTimer) {
    trayIcons_.Rescale(windowDpi, kGlyphDesignDpi);
    redrawTimer_.SetOnFire([this] { RedrawAfterDpiChange(); });
}

TTrayAppearance::~TTrayAppearance() {
    redrawTimer_.Stop();
    redrawTimer_.SetOnFire({});
}

void TTrayAppearance::SetVisualStyle() {
    VisualStyle::Select(UsesDarkStyle(GetMenuModeColor()) ? StyleKind::Dark : StyleKind::Standard);
    if (menu_)
        menu_->ApplyLook(VisualStyle::IsDark());
}

std::uint32_t TrayGlyphColour() {
    // In high contrast the taskbar takes the scheme's colours, whatever
    // "SystemUsesLightTheme" says: the glyph stands out on its button face
    // (the same as the window colour in every contrast scheme).
    if (VisualStyle::IsHighContrast())
        return GlyphColourOn(::GetSysColor(COLOR_BTNFACE));
    return GlyphColourForTrayMode(GetTrayModeColor());
}

void TTrayAppearance::UpdateTrayIcon(std::int32_t aIconIndex) {
    trayIcons_.SetColor(TrayGlyphColour());
    // The tray copies the icon; ours is freed on every path.
    win32::IconHandle icon = trayIcons_.GetIcon(aIconIndex);
    tray_.SetIcon(icon.Get());
}

void TTrayAppearance::WMSettingChange(WPARAM wParam, LPARAM lParam,
                                      const std::function<std::int32_t()>& GetTrayIcon) {
    SetVisualStyle();
    // The taskbar switching between light and dark comes as this area, high
    // contrast switched as SPI_SETHIGHCONTRAST; a glyph left in the old
    // colour could not be seen on the new taskbar.
    const auto* area = reinterpret_cast<const wchar_t*>(lParam);
    const bool colours =
        (area && ::lstrcmpiW(area, L"ImmersiveColorSet") == 0) || wParam == SPI_SETHIGHCONTRAST;
    if (colours && GetTrayIcon)
        UpdateTrayIcon(GetTrayIcon());
}

void TTrayAppearance::SysColorChange(const std::function<std::int32_t()>& GetTrayIcon) {
    SetVisualStyle();
    if (GetTrayIcon)
        UpdateTrayIcon(GetTrayIcon());
}

void TTrayAppearance::DpiChanged(HWND window, WPARAM wParam, LPARAM lParam,
                                 std::function<std::int32_t()> GetTrayIcon) {
    const int newDpi = LOWORD(wParam);
    if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) {
        ::SetWindowPos(window, nullptr, suggested->left, suggested->top,
                       suggested->right - suggested->left, suggested->bottom - suggested->top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    trayIcons_.Rescale(newDpi, dpi_);
    dpi_ = newDpi;
    SetVisualStyle();
    // The glyph is drawn again once the shell has settled on the new scale;
    // a timer waits, so the program keeps answering meanwhile.
    getTrayIcon_ = std::move(GetTrayIcon);
    redrawTimer_.Stop();
    redrawPending_ = true;
    if (!redrawTimer_.Start(kDpiRedrawDelayMs))
        RedrawAfterDpiChange(); // no timer left: redraw at once rather than never
}

void TTrayAppearance::RedrawAfterDpiChange() {
    redrawTimer_.Stop(); // one shot
    if (!redrawPending_)
        return;
    redrawPending_ = false;
    UpdateTrayIcon(getTrayIcon_ ? getTrayIcon_() : 0);
}

} // namespace staywick
