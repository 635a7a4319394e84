#pragma once
// Where a window opened from the tray goes: into the work area's corner next
// to the taskbar. The two rules take plain integers so they can be checked
// without a desktop; common/win32/placement_win32.h feeds them.
#include <cstdint>
#include <optional>

namespace staywick {

enum TTaskbarEdge : std::uint8_t { teTop = 0, teBottom = 1, teLeft = 2, teRight = 3 };

// Left, top, right, bottom in screen pixels; right and bottom exclusive.
struct ScreenRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

struct ScreenPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Gaps between a placed window and the work area's edges.
inline constexpr std::int32_t kPlacementGap = 20;
inline constexpr std::int32_t kPlacementTopGap = 10;

// True for a bar lying along the top: it ends in the upper half of the
// screen and is wider than tall. A full-height bar at either side reaches
// the bottom, so it never passes, whatever the screen's aspect ratio.
bool IsInUpperBand(const ScreenRect& taskbar, std::int32_t screenHeight);

// The edge rule; no taskbar at all counts as a bottom taskbar.
TTaskbarEdge TaskbarEdgeFor(const std::optional<ScreenRect>& taskbar, std::int32_t screenWidth,
                            std::int32_t screenHeight);

// The placement rule: the window's outer top-left corner. A window taller or
// wider than the work area is held at the work area's top or left edge, so its
// title bar stays on screen.
ScreenPoint PlacementFor(TTaskbarEdge edge, const ScreenRect& workArea, std::int32_t width,
                         std::int32_t height);

} // namespace staywick
