#pragma once
// The page area of a printout: equal margins in millimetres, converted with
// the printer's own resolution and less its unprintable border.
#include <cstdint>

namespace staywick {

// Margin of the license printout on every side.
inline constexpr std::int32_t kPrintMarginMm = 20;

struct PrintRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    bool Empty() const noexcept { return Left >= Right || Top >= Bottom; }
    friend bool operator==(const PrintRect&, const PrintRect&) = default;
};

// num / den rounded to the nearest integer, halves to the even neighbour; den > 0.
std::int64_t RoundHalfEven(std::int64_t num, std::int64_t den);

// mm x dpi / 25.4 rounded to the nearest whole pixel (halves to even), less
// the physical offset, never below 0. With whole millimetres and a whole dpi
// the quotient is never exactly a half (mm x dpi x 10 is even, 254 / 2 odd).
std::int32_t MarginPixels(std::int32_t mm, std::int32_t dpi, std::int32_t physicalOffset);

// Left L, top T, right width - L, bottom height - T in printer pixels of the
// printable page; an all-zero rectangle when the margins leave no room (the
// rich-text control then prints on the whole printable page).
PrintRect PrintPageRect(std::int32_t mm, std::int32_t dpiX, std::int32_t dpiY, std::int32_t offsetX,
                        std::int32_t offsetY, std::int32_t pageWidth, std::int32_t pageHeight);

// Printer pixels in twips (1/1440 inch) at `dpi`, rounded to the nearest
// twip, halves away from zero (as MulDiv rounds).
std::int32_t PixelsToTwips(std::int32_t pixels, std::int32_t dpi);

// What the rich-text control is handed to print one page, in twips: the whole
// printable page, and the area inside the margins, which is the whole page
// again when the margins leave no room.
struct PrintTwips {
    PrintRect Page;
    PrintRect Area;
    friend bool operator==(const PrintTwips&, const PrintTwips&) = default;
};
PrintTwips PrintAreaTwips(std::int32_t mm, std::int32_t dpiX, std::int32_t dpiY,
                          std::int32_t offsetX, std::int32_t offsetY, std::int32_t pageWidth,
                          std::int32_t pageHeight);

} // namespace staywick
