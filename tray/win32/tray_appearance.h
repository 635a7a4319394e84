#pragma once
// The colour modes applied: the tray glyph's colour and size, and the
// program's style, following the system's settings and display scaling.
#include "platform/timer_port.h"
#include "tray/win32/glyph_list.h"
#include "tray/win32/rc_popup_menu.h"
#include "tray/win32/tray_icon.h"

#include <windows.h>

#include <cstdint>
#include <functional>

namespace staywick {

// 1 dark, 2 light: the taskbar's mode and the applications' mode.
std::int32_t GetTrayModeColor();
std::int32_t GetMenuModeColor();
// The glyph's colour: by the taskbar's mode, or in high contrast the one of
// white and black that stands out on the scheme's taskbar colour.
std::uint32_t TrayGlyphColour();

class TTrayAppearance {
public:
    // The glyph list is rescaled at once from its design DPI (120) to windowDpi.
    // `redrawTimer` waits after a DPI change (used once per change).
    TTrayAppearance(TGlyphList& TrayIcons, TTrayIcon& Tray, TRCPopupMenu* menu, int windowDpi,
                    TimerPort& redrawTimer);
    ~TTrayAppearance();
    TTrayAppearance(const TTrayAppearance&) = delete;
    TTrayAppearance& operator=(const TTrayAppearance&) = delete;

    // "Windows10 Dark" when applications are dark, else "Windows"; the menu
    // follows at once.
    void SetVisualStyle();
    // Draws the glyph in the taskbar's colour and hands it to the tray icon.
    void UpdateTrayIcon(std::int32_t aIconIndex);
    // After the window's default handling of WM_SETTINGCHANGE, with its
    // parameters: the style follows the applications' mode, and when the
    // colour modes changed ("ImmersiveColorSet") or high contrast was
    // switched (SPI_SETHIGHCONTRAST) the glyph GetTrayIcon gives is drawn
    // again at once in the taskbar's colour.
    void WMSettingChange(WPARAM wParam, LPARAM lParam,
                         const std::function<std::int32_t()>& GetTrayIcon);
    // WM_SYSCOLORCHANGE: a new colour scheme (a high-contrast one, say):
    // style and glyph follow at once.
    void SysColorChange(const std::function<std::int32_t()>& GetTrayIcon);
    // WM_DPICHANGED of the main window: the window takes the suggested
    // rectangle, the glyphs their new cell, the style is applied; 5000 ms
    // later a one-shot timer draws the glyph GetTrayIcon gives then. The
    // program keeps running meanwhile; a further change starts the wait anew.
    void DpiChanged(HWND window, WPARAM wParam, LPARAM lParam,
                    std::function<std::int32_t()> GetTrayIcon);

    int Dpi() const noexcept { return dpi_; }
    bool RedrawPending() const noexcept { return redrawPending_; }
    static constexpr std::uint32_t kDpiRedrawDelayMs = 5000;

private:
    TGlyphList& trayIcons_;
    TTrayIcon& tray_;
    void RedrawAfterDpiChange();

    TRCPopupMenu* menu_;
    int dpi_;
    TimerPort& redrawTimer_;
    std::function<std::int32_t()> getTrayIcon_;
    bool redrawPending_ = false;
};

} // namespace staywick
