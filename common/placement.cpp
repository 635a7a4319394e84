#include "common/placement.h"

namespace staywick {

bool IsInUpperBand(const ScreenRect& taskbar, std::int32_t screenHeight) {
    const std::int32_t hh = screenHeight / 2;
    const std::int64_t width = std::int64_t{taskbar.Right} - taskbar.Left;
    const std::int64_t height = std::int64_t{taskbar.Bottom} - taskbar.Top;
    return taskbar.Bottom <= hh && width > height;
}

TTaskbarEdge TaskbarEdgeFor(const std::optional<ScreenRect>& taskbar, std::int32_t screenWidth,
                            std::int32_t screenHeight) {
    if (!taskbar)
        return teBottom;
    const ScreenRect& t = *taskbar;
    const std::int32_t hw = screenWidth / 2;
    const std::int32_t hh = screenHeight / 2;
    if (t.Top > hh && t.Right >= screenWidth)
        return teBottom;
    if (t.Top < hh && IsInUpperBand(t, screenHeight))
        return teTop;
    if (t.Left < hw && t.Top <= 0)
        return teLeft;
    if (t.Left >= hw)
        return teRight;
    return teBottom;
}

ScreenPoint PlacementFor(TTaskbarEdge edge, const ScreenRect& workArea, std::int32_t width,
                         std::int32_t height) {
    const std::int32_t right = workArea.Right - width - kPlacementGap;
    const std::int32_t bottom = workArea.Bottom - height - kPlacementGap;
    switch (edge) {
    case teTop:
        return {right, workArea.Top + kPlacementTopGap};
    case teLeft:
        return {workArea.Left + kPlacementGap, bottom};
    case teBottom:
    case teRight:
    default:
        return {right, bottom};
    }
}

} // namespace staywick
