#pragma once
// The overlay spans every monitor. Its client area then starts at the virtual
// screen's top-left corner, which lies at negative screen coordinates when a
// monitor sits left of or above the primary one; the tick thinks in screen
// coordinates, the overlay's children in client coordinates.

#include <windows.h>

#include "platform/Pointer.h"

namespace yomorina::win32 {

// A rectangle of the screen in pixels: its top-left corner and its size.
struct ScreenArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const ScreenArea&, const ScreenArea&) = default;
};

// The bounding rectangle of all monitors, as the system reports it now.
ScreenArea VirtualScreenArea();

// A screen position as a position in the client area of an overlay that covers area.
POINT OverlayClientPoint(ScreenPoint screen, const ScreenArea& overlay);

}  // namespace yomorina::win32
