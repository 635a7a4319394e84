#pragma once
// FontImages and TrayIcons: the carried icon font, registered for this
// process only, and the glyph list that draws one character of it per entry
// into a square cell of 32-bit pixels, in straight alpha (glyph pixels in the
// list's colour with their coverage as alpha, all others alpha 0). The cells
// are kept as plain pixels, not in a common-controls image list, so start-up
// does not load comctl32 for them.
#include "common/win32/handles.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace staywick {

class TFontImages {
public:
    TFontImages() = default;
    TFontImages(const TFontImages&) = delete;
    TFontImages& operator=(const TFontImages&) = delete;

    // Registers a TrueType font held in memory; false when the system refuses it.
    bool Add(const void* data, std::size_t size);
    // Registers an RCDATA resource of a module.
    bool AddResource(HMODULE module, int resourceId);
    std::size_t Count() const noexcept { return fonts_.size(); }

private:
    std::vector<win32::FontResource> fonts_;
};

class TGlyphList {
public:
    // One UTF-16 character per entry, in a cell of width x height pixels.
    TGlyphList(std::wstring fontFamily, std::wstring characters, int width, int height,
               int margin = 0);
    ~TGlyphList();
    TGlyphList(const TGlyphList&) = delete;
    TGlyphList& operator=(const TGlyphList&) = delete;

    COLORREF Color() const noexcept { return color_; }
    // A different colour draws every glyph anew; the same colour does nothing.
    void SetColor(COLORREF color);

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    int Margin() const noexcept { return margin_; }
    // The owner window was rescaled by newDpi / oldDpi.
    void Rescale(int newDpi, int oldDpi);

    // Draws every glyph anew (after the font became available, for example).
    void Redraw();
    // How often the glyphs were drawn, for tests and diagnostics.
    int DrawCount() const noexcept { return drawCount_; }

    // The number of drawn entries: 0 while the font is not available.
    int Count() const noexcept { return static_cast<int>(cells_.size()); }
    // A new icon of an entry (the caller owns it), or an empty handle.
    win32::IconHandle GetIcon(int index) const;
    // The BGRA pixels of an entry, top row first (for tests).
    std::vector<std::uint32_t> Pixels(int index) const;

private:
    std::wstring family_, characters_;
    int width_, height_, margin_;
    COLORREF color_ = RGB(255, 255, 255);
    std::vector<std::vector<std::uint32_t>> cells_; // BGRA, top row first
    int drawCount_ = 0;
};

} // namespace staywick
