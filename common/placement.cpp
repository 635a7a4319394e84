#include "common/placement.h"

#include <algorithm>

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
    ScreenPoint at{right, bottom};
    switch (edge) {
    case teTop:
        at = {right, workArea.Top + kPlacementTopGap};
        break;
    case teLeft:
        at = {workArea.Left + kPlacementGap, bottom};
        break;
    case teBottom:
    case teRight:
    default:
        break;
    }
    // A window larger than the work area keeps its title bar and left edge
    // inside it, so it can still be moved and closed.
    at.X = std::max(at.X, workArea.Left);
    at.Y = std::max(at.Y, workArea.Top);
    return at;
}

} // namespace staywick
