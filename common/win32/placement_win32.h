#pragma once
// GetTaskbarEdge and PlaceNearTaskbar: the desktop read afresh on every call
// and handed to the rules of common/placement.h.
#include "common/placement.h"

#include <windows.h>

namespace staywick {

TTaskbarEdge GetTaskbarEdge();

// Moves a top-level window (left first, then top; its size unchanged) into
// the work area's corner next to the taskbar.
void PlaceNearTaskbar(HWND form);

} // namespace staywick
