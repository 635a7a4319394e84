#pragma once
// The system's message font made larger for one test, as "Make text bigger"
// does, and restored afterwards. Wine keeps SPI_SETNONCLIENTMETRICS in the
// session's memory (no SPIF_UPDATEINIFILE), and answers later
// SPI_GETNONCLIENTMETRICS calls of every DPI with it.
#include "ui/dpi.h"

#include <windows.h>

namespace staywick::test {

class LargerSystemText {
public:
    // `percent` of Windows' default message font (9 points).
    explicit LargerSystemText(int percent) {
        saved_.cbSize = sizeof(saved_);
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(saved_), &saved_, 0);
        NONCLIENTMETRICSW larger = saved_;
        larger.lfMessageFont.lfHeight =
            -::MulDiv(::MulDiv(9, static_cast<int>(SystemDpi()), 72), percent, 100);
        ::SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(larger), &larger, 0);
    }
    ~LargerSystemText() {
        ::SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(saved_), &saved_, 0);
    }
    LargerSystemText(const LargerSystemText&) = delete;
    LargerSystemText& operator=(const LargerSystemText&) = delete;

private:
    NONCLIENTMETRICSW saved_{};
};

} // namespace staywick::test
