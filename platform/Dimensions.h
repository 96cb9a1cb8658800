#pragma once
// The counts and sizes the logic and the windows share, each written once.

#include "core/Model.h"

namespace yomorina {

// The overlay's tiles: one for each slot.
inline constexpr int TileCount = LaunchSlotCount;

// A tile's side in pixels at 96 dots per inch: the size of the icon it shows.
inline constexpr int TileSide = 32;

// The density the program's pixel sizes are given for; a monitor at 144 dpi
// shows them half as large again.
inline constexpr int StandardDotsPerInch = 96;

// A size given at 96 dots per inch, on a monitor of this density (rounded to the nearest pixel).
inline constexpr int ScaledToDotsPerInch(int pixels, int dotsPerInch) {
    if (dotsPerInch <= 0) return pixels;
    return (pixels * dotsPerInch + StandardDotsPerInch / 2) / StandardDotsPerInch;
}

}  // namespace yomorina
