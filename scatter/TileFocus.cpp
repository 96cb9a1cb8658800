#include "scatter/TileFocus.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace yomorina {
namespace {

// Twice the centre, so that odd sides need no rounding.
ScreenPoint DoubledCentre(const TilePlacement& tile) { return {2 * tile.Left + tile.Side, 2 * tile.Top + tile.Side}; }

int AlongTheArrow(const std::vector<TilePlacement>& tiles, int from, TileKey key) {
    const ScreenPoint origin = DoubledCentre(tiles[from]);
    int best = from;
    std::int64_t bestScore = std::numeric_limits<std::int64_t>::max();
    for (int i = 0; i < static_cast<int>(tiles.size()); ++i) {
        const ScreenPoint at = DoubledCentre(tiles[i]);
        const std::int64_t dx = std::int64_t{at.x} - origin.x;
        const std::int64_t dy = std::int64_t{at.y} - origin.y;
        std::int64_t ahead = 0;
        std::int64_t aside = 0;
        switch (key) {
        case TileKey::Left: ahead = -dx, aside = dy; break;
        case TileKey::Right: ahead = dx, aside = dy; break;
        case TileKey::Up: ahead = -dy, aside = dx; break;
        case TileKey::Down: ahead = dy, aside = dx; break;
        default: return from;
        }
        if (ahead <= 0) continue;
        const std::int64_t score = ahead + 2 * std::llabs(aside);
        if (score < bestScore) {
            bestScore = score;
            best = i;
        }
    }
    return best;
}

}  // namespace

int NextFocus(const std::vector<TilePlacement>& tiles, int from, TileKey key) {
    const int count = static_cast<int>(tiles.size());
    if (from < 0 || from >= count) return count > 0 ? 0 : -1;
    switch (key) {
    case TileKey::Next: return (from + 1) % count;
    case TileKey::Previous: return (from + count - 1) % count;
    case TileKey::Open: return from;
    default: return AlongTheArrow(tiles, from, key);
    }
}

}  // namespace yomorina
