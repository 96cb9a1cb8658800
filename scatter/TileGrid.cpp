#include "scatter/TileGrid.h"

#include <algorithm>

namespace yomorina {
namespace {

// A cell at 96 dots per inch: the tile at its top centre, its caption below it.
constexpr int CellWidth = 88;
constexpr int CellHeight = 64;

// The grid's near edge along one axis: centred on the pointer where the
// monitor holds it, else against the monitor's edge (its start when too large).
int GridStart(int pointer, int length, int monitorStart, int monitorEnd) {
    const int centred = pointer - length / 2;
    return std::max(monitorStart, std::min(centred, monitorEnd - length));
}

}  // namespace

bool EveryEntryAnswered(const LaunchList& list, const EntryLookup& lookup) {
    const auto paths = EntriesToLookUp(list);
    return std::none_of(paths.begin(), paths.end(),
                        [&](const std::string& path) { return lookup.Answer(path) == EntryAnswer::NotYetKnown; });
}

std::vector<TilePlacement> PlaceEveryTile(const LaunchList& list, const EntryLookup& lookup, ScreenPoint pointer,
                                          const ScreenRect& monitor, int dotsPerInch) {
    std::vector<TilePlacement> tiles;
    for (int slot = 0; slot < LaunchSlotCount; ++slot) {
        // The shake's own rule of which slots come out; only the place differs.
        if (auto tile = PlaceTile(slot, list[slot], pointer, pointer, lookup, dotsPerInch)) tiles.push_back(std::move(*tile));
    }
    if (tiles.empty()) return tiles;
    const int cellWidth = ScaledToDotsPerInch(CellWidth, dotsPerInch);
    const int cellHeight = ScaledToDotsPerInch(CellHeight, dotsPerInch);
    const int count = static_cast<int>(tiles.size());
    const int columns = std::min(count, TileGridColumns);
    const int rows = (count + TileGridColumns - 1) / TileGridColumns;
    const int left = GridStart(pointer.x, columns * cellWidth, monitor.left, monitor.right);
    const int top = GridStart(pointer.y, rows * cellHeight, monitor.top, monitor.bottom);
    for (int i = 0; i < count; ++i) {
        TilePlacement& tile = tiles[i];
        tile.Left = left + (i % TileGridColumns) * cellWidth + (cellWidth - tile.Side) / 2;
        tile.Top = top + (i / TileGridColumns) * cellHeight;
        tile.CaptionLeft = tile.Left;
        tile.CaptionTop = tile.Top + tile.Side;
    }
    return tiles;
}

}  // namespace yomorina
