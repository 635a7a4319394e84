#include "tray/win32/glyph_list.h"

#include "tray/glyph_pixels.h"

#include <cstring>

namespace staywick {

using win32::GdiObject;
using win32::MemoryDc;
using win32::SelectedObject;

bool TFontImages::Add(const void* data, std::size_t size) {
    DWORD installed = 0;
    // Private to this process: other programs never see the font.
    HANDLE font = ::AddFontMemResourceEx(const_cast<void*>(data), static_cast<DWORD>(size), nullptr,
                                         &installed);
    if (!font)
        return false;
    fonts_.emplace_back(font);
    return true;
}

bool TFontImages::AddResource(HMODULE module, int resourceId) {
    HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10));
    if (!info)
        return false;
    HGLOBAL loaded = ::LoadResource(module, info);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    return data && Add(data, ::SizeofResource(module, info));
}

namespace {

BITMAPINFO CellInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The icon's monochrome mask: set (transparent) where the cell's alpha is 0,
// for the places that draw icons without their alpha. Rows are padded to
// 16 bits, as CreateBitmap expects.
std::vector<std::uint8_t> MaskBits(const std::vector<std::uint32_t>& cell, int width, int height) {
    const std::size_t stride = static_cast<std::size_t>((width + 15) / 16) * 2;
    std::vector<std::uint8_t> bits(stride * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel =
                cell[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(x)];
            if ((pixel >> 24) == 0)
                bits[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x / 8)] |=
                    static_cast<std::uint8_t>(0x80u >> (x % 8));
        }
    }
    return bits;
}

} // namespace

TGlyphList::TGlyphList(std::wstring fontFamily, std::wstring characters, int width, int height,
                       int margin)
    : family_(std::move(fontFamily)), characters_(std::move(characters)), width_(width),
      height_(height), margin_(margin) {
    Redraw();
}

TGlyphList::~TGlyphList() = default;

void TGlyphList::SetColor(COLORREF color) {
    if (color == color_)
        return;
    color_ = color;
    Redraw();
}

void TGlyphList::Rescale(int newDpi, int oldDpi) {
    if (newDpi == oldDpi)
        return;
    width_ = MulDivRound(width_, newDpi, oldDpi);
    height_ = MulDivRound(height_, newDpi, oldDpi);
    margin_ = MulDivRound(margin_, newDpi, oldDpi);
    Redraw();
}

void TGlyphList::Redraw() {
    ++drawCount_;
    // All entries or none: a list that could not be drawn whole is empty, and
    // the tray falls back to the program's icon.
    cells_.clear();
    if (width_ <= 0 || height_ <= 0)
        return;
    MemoryDc dc(::CreateCompatibleDC(nullptr));
    GdiObject font(::CreateFontW(GlyphFontHeight(width_, height_, margin_), 0, 0, 0, FW_NORMAL,
                                 FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                                 CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                                 family_.c_str()));
    SelectedObject selectedFont(dc.Get(), font.Get());
    wchar_t face[LF_FACESIZE] = {};
    ::GetTextFaceW(dc.Get(), LF_FACESIZE, face);
    if (family_ != face)
        return; // the font is not available: no glyphs rather than a substitute's letters

    const BITMAPINFO info = CellInfo(width_, height_);
    void* bits = nullptr;
    GdiObject bitmap(::CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return;
    auto* pixels = static_cast<std::uint32_t*>(bits);
    const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    std::vector<std::uint8_t> coverage(count);
    SelectedObject selectedBitmap(dc.Get(), bitmap.Get());
    // White on black with grey-level anti-aliasing: the brightness is the
    // coverage, on every system (composited theme text leaves alpha empty on
    // some).
    ::SetBkMode(dc.Get(), TRANSPARENT);
    ::SetTextColor(dc.Get(), RGB(255, 255, 255));
    std::vector<std::vector<std::uint32_t>> cells;
    cells.reserve(characters_.size());
    for (std::size_t i = 0; i < characters_.size(); ++i) {
        std::memset(pixels, 0, count * sizeof(std::uint32_t));
        RECT cell{0, 0, width_, height_};
        ::DrawTextW(dc.Get(), &characters_[i], 1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::GdiFlush();
        for (std::size_t p = 0; p < count; ++p)
            coverage[p] = CoverageOfWhiteOnBlack(pixels[p]);
        std::vector<std::uint32_t>& out = cells.emplace_back(count);
        CoverageToStraightAlpha(coverage.data(), count, color_, out.data());
    }
    cells_ = std::move(cells);
}

win32::IconHandle TGlyphList::GetIcon(int index) const {
    if (index < 0 || index >= Count())
        return win32::IconHandle();
    const std::vector<std::uint32_t>& cell = cells_[static_cast<std::size_t>(index)];
    const BITMAPINFO info = CellInfo(width_, height_);
    void* bits = nullptr;
    GdiObject colour(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colour || !bits)
        return win32::IconHandle();
    std::memcpy(bits, cell.data(), cell.size() * sizeof(std::uint32_t));
    const std::vector<std::uint8_t> maskBits = MaskBits(cell, width_, height_);
    GdiObject mask(::CreateBitmap(width_, height_, 1, 1, maskBits.data()));
    if (!mask)
        return win32::IconHandle();
    ICONINFO icon{};
    icon.fIcon = TRUE;
    icon.hbmMask = static_cast<HBITMAP>(mask.Get());
    icon.hbmColor = static_cast<HBITMAP>(colour.Get());
    // The icon gets copies of both bitmaps; ours are freed on every path.
    return win32::IconHandle(::CreateIconIndirect(&icon));
}

std::vector<std::uint32_t> TGlyphList::Pixels(int index) const {
    if (index < 0 || index >= Count())
        return {};
    return cells_[static_cast<std::size_t>(index)];
}

} // namespace staywick
