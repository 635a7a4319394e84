#include "common/print_margin.h"

#include <algorithm>

namespace staywick {

std::int64_t RoundHalfEven(std::int64_t num, std::int64_t den) {
    std::int64_t q = num / den;
    std::int64_t r = num % den;
    if (r < 0) { // floor division
        r += den;
        --q;
    }
    if (2 * r > den || (2 * r == den && q % 2 != 0))
        ++q;
    return q;
}

std::int32_t MarginPixels(std::int32_t mm, std::int32_t dpi, std::int32_t physicalOffset) {
    // mm * dpi / 25.4 == mm * dpi * 10 / 254, rounded exactly in integers.
    const std::int64_t pixels = RoundHalfEven(std::int64_t{mm} * dpi * 10, 254);
    return static_cast<std::int32_t>(std::max<std::int64_t>(0, pixels - physicalOffset));
}

PrintRect PrintPageRect(std::int32_t mm, std::int32_t dpiX, std::int32_t dpiY, std::int32_t offsetX,
                        std::int32_t offsetY, std::int32_t pageWidth, std::int32_t pageHeight) {
    const std::int32_t left = MarginPixels(mm, dpiX, offsetX);
    const std::int32_t top = MarginPixels(mm, dpiY, offsetY);
    PrintRect rect{left, top, pageWidth - left, pageHeight - top};
    if (rect.Empty())
        return {};
    return rect;
}

std::int32_t PixelsToTwips(std::int32_t pixels, std::int32_t dpi) {
    const std::int64_t num = std::int64_t{pixels} * 1440;
    const std::int64_t half = dpi / 2;
    const std::int64_t twips = num >= 0 ? (num + half) / dpi : -((-num + half) / dpi);
    return static_cast<std::int32_t>(twips);
}

PrintTwips PrintAreaTwips(std::int32_t mm, std::int32_t dpiX, std::int32_t dpiY,
                          std::int32_t offsetX, std::int32_t offsetY, std::int32_t pageWidth,
                          std::int32_t pageHeight) {
    const PrintRect page{0, 0, PixelsToTwips(pageWidth, dpiX), PixelsToTwips(pageHeight, dpiY)};
    const PrintRect area = PrintPageRect(mm, dpiX, dpiY, offsetX, offsetY, pageWidth, pageHeight);
    if (area.Empty())
        return {page, page};
    return {page,
            {PixelsToTwips(area.Left, dpiX), PixelsToTwips(area.Top, dpiY),
             PixelsToTwips(area.Right, dpiX), PixelsToTwips(area.Bottom, dpiY)}};
}

} // namespace staywick
