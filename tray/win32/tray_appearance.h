#pragma once
// The colour modes applied: the tray glyph's colour and size, and the
// program's style, following the system's settings and display scaling.
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

class TTrayAppearance {
public:
    // The glyph list is rescaled at once from its design DPI (120) to windowDpi.
    TTrayAppearance(TGlyphList& TrayIcons, TTrayIcon& Tray, TRCPopupMenu* menu, int windowDpi);

    // "Windows10 Dark" when applications are dark, else "Windows"; the menu
    // follows at once.
    void SetVisualStyle();
    // Draws the glyph in the taskbar's colour and hands it to the tray icon.
    void UpdateTrayIcon(std::int32_t aIconIndex);
    // After the window's default handling of WM_SETTINGCHANGE.
    void WMSettingChange();
    // WM_DPICHANGED of the main window: the window takes the suggested
    // rectangle, the glyphs their new cell, the style is applied, then the
    // thread waits 5000 ms before the glyph GetTrayIcon gives is drawn again.
    void DpiChanged(HWND window, WPARAM wParam, LPARAM lParam,
                    const std::function<std::int32_t()>& GetTrayIcon);

    int Dpi() const noexcept { return dpi_; }
    // The wait of DpiChanged (tests pass a recorder).
    std::function<void(DWORD)> Wait = [](DWORD ms) { ::Sleep(ms); };

private:
    TGlyphList& trayIcons_;
    TTrayIcon& tray_;
    TRCPopupMenu* menu_;
    int dpi_;
};

} // namespace staywick
