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

TGlyphList::TGlyphList(std::wstring fontFamily, std::wstring characters, int width, int height,
                       int margin)
    : family_(std::move(fontFamily)), characters_(std::move(characters)), width_(width),
      height_(height), margin_(margin) {
    ResetImageList();
    Redraw();
}

TGlyphList::~TGlyphList() = default;

void TGlyphList::ResetImageList() {
    images_.Reset(
        ::ImageList_Create(width_, height_, ILC_COLOR32, static_cast<int>(characters_.size()), 1));
}

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
    ResetImageList();
    Redraw();
}

int TGlyphList::Count() const {
    return images_ ? ::ImageList_GetImageCount(images_.Get()) : 0;
}

void TGlyphList::Redraw() {
    ++drawCount_;
    if (!images_ || width_ <= 0 || height_ <= 0)
        return;
    MemoryDc dc(::CreateCompatibleDC(nullptr));
    GdiObject font(::CreateFontW(GlyphFontHeight(width_, height_, margin_), 0, 0, 0, FW_NORMAL,
                                 FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                                 CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                                 family_.c_str()));
    SelectedObject selectedFont(dc.Get(), font.Get());
    wchar_t face[LF_FACESIZE] = {};
    ::GetTextFaceW(dc.Get(), LF_FACESIZE, face);
    if (family_ != face) {
        // The font is not available: no glyphs rather than a substitute's letters.
        ::ImageList_SetImageCount(images_.Get(), 0);
        return;
    }
    ::ImageList_SetImageCount(images_.Get(), static_cast<UINT>(characters_.size()));

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    std::vector<std::uint8_t> coverage(count);

    for (std::size_t i = 0; i < characters_.size(); ++i) {
        void* bits = nullptr;
        GdiObject bitmap(::CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap || !bits)
            return;
        auto* pixels = static_cast<std::uint32_t*>(bits);
        {
            SelectedObject selectedBitmap(dc.Get(), bitmap.Get());
            std::memset(pixels, 0, count * sizeof(std::uint32_t));
            // White on black with grey-level anti-aliasing: the brightness is
            // the coverage, on every system (composited theme text leaves
            // alpha empty on some).
            ::SetBkMode(dc.Get(), TRANSPARENT);
            ::SetTextColor(dc.Get(), RGB(255, 255, 255));
            RECT cell{0, 0, width_, height_};
            ::DrawTextW(dc.Get(), &characters_[i], 1, &cell,
                        DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            ::GdiFlush();
            for (std::size_t p = 0; p < count; ++p)
                coverage[p] = CoverageOfWhiteOnBlack(pixels[p]);
            CoverageToStraightAlpha(coverage.data(), count, color_, pixels);
        }
        ::ImageList_Replace(images_.Get(), static_cast<int>(i), static_cast<HBITMAP>(bitmap.Get()),
                            nullptr);
    }
}

win32::IconHandle TGlyphList::GetIcon(int index) const {
    if (!images_ || index < 0 || index >= Count())
        return win32::IconHandle();
    return win32::IconHandle(::ImageList_GetIcon(images_.Get(), index, ILD_NORMAL));
}

std::vector<std::uint32_t> TGlyphList::Pixels(int index) const {
    std::vector<std::uint32_t> pixels;
    IMAGEINFO image{};
    if (!images_ || !::ImageList_GetImageInfo(images_.Get(), index, &image))
        return pixels;
    const int w = image.rcImage.right - image.rcImage.left;
    const int h = image.rcImage.bottom - image.rcImage.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    BITMAP bm{};
    ::GetObjectW(image.hbmImage, sizeof(bm), &bm);
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = -bm.bmHeight;
    std::vector<std::uint32_t> all(static_cast<std::size_t>(bm.bmWidth) *
                                   static_cast<std::size_t>(bm.bmHeight));
    MemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!::GetDIBits(dc.Get(), image.hbmImage, 0, static_cast<UINT>(bm.bmHeight), all.data(), &info,
                     DIB_RGB_COLORS)) {
        return pixels;
    }
    pixels.reserve(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = image.rcImage.top; y < image.rcImage.bottom; ++y) {
        for (int x = image.rcImage.left; x < image.rcImage.right; ++x) {
            pixels.push_back(
                all[static_cast<std::size_t>(y) * static_cast<std::size_t>(bm.bmWidth) +
                    static_cast<std::size_t>(x)]);
        }
    }
    return pixels;
}

} // namespace staywick
