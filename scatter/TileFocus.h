#pragma once
// Where the keyboard focus goes among the tiles out on the overlay.

#include <vector>

#include "platform/Overlay.h"
#include "platform/Pointer.h"

namespace yomorina {

// From the tile at index `from` of `tiles` (in slot order): Tab and Shift+Tab
// go round in that order; an arrow goes to the nearest tile whose centre lies
// that way, a tile off to the side counting twice its sideways distance, and
// stays when none does. The index of the tile that gets the focus.
int NextFocus(const std::vector<TilePlacement>& tiles, int from, TileKey key);

}  // namespace yomorina
