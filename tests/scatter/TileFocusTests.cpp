#include "scatter/TileFocus.h"

#include <gtest/gtest.h>

#include <vector>

namespace yomorina {
namespace {

TilePlacement At(int slot, int left, int top) { return {.Slot = slot, .Left = left, .Top = top}; }

// Tab goes round in slot order; an arrow to the nearest tile that way, or nowhere.
TEST(TileFocus, TabGoesRoundInSlotOrderAndAnArrowToTheNearestTileThatWay) {
    // A grid of eight, six and two, 88 by 64 apart; then three tiles a shake scattered.
    std::vector<TilePlacement> grid;
    for (int i = 0; i < 8; ++i) grid.push_back(At(i, 100 + 88 * (i % 6), 100 + 64 * (i / 6)));
    const std::vector<TilePlacement> shaken{At(0, 500, 300), At(3, 436, 300), At(7, 520, 360)};
    const struct {
        const std::vector<TilePlacement>& tiles;
        int from;
        TileKey key;
        int to;
    } cases[] = {
        {grid, 0, TileKey::Next, 1},      {grid, 7, TileKey::Next, 0},      {grid, 0, TileKey::Previous, 7},
        {grid, 3, TileKey::Previous, 2},  {grid, 2, TileKey::Right, 3},     {grid, 5, TileKey::Right, 5},
        {grid, 0, TileKey::Left, 0},      {grid, 7, TileKey::Left, 6},      {grid, 0, TileKey::Down, 6},
        {grid, 5, TileKey::Down, 7},      {grid, 7, TileKey::Up, 1},        {grid, 2, TileKey::Up, 2},
        {shaken, 0, TileKey::Left, 1},    {shaken, 0, TileKey::Down, 2},    {shaken, 1, TileKey::Right, 0},
        {shaken, 2, TileKey::Up, 0},      {shaken, 2, TileKey::Next, 0},    {grid, 4, TileKey::Open, 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NextFocus(c.tiles, c.from, c.key), c.to)
            << "from " << c.from << " key " << static_cast<int>(c.key) << " among " << c.tiles.size();
    }
}

}  // namespace
}  // namespace yomorina
