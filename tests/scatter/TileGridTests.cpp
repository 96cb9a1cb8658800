#include "scatter/TileGrid.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/Fakes.h"

namespace yomorina {
namespace {

struct Spot {
    int slot, left, top;
    friend bool operator==(const Spot&, const Spot&) = default;
};

// Slot order, rows of six, centred on the pointer, moved onto the monitor where it does not fit, at its scale.
TEST(TileGrid, EverySlotAShakeWouldBringOutComesOutInRowsOfSixCentredOnThePointerAndOnItsMonitor) {
    const struct {
        int slots;  // slots 0.. exist but for 1 (empty), 2 (missing) and 3 (not answered); 4 is the bin
        ScreenPoint pointer;
        ScreenRect monitor;
        int dotsPerInch;
        std::vector<Spot> expected;  // some of the tiles; a caption lies under its tile
        int side;
    } cases[] = {
        {6, {640, 400}, {0, 0, 1280, 800}, 96, {{0, 536, 368}, {4, 624, 368}, {5, 712, 368}}, 32},
        {30, {640, 400}, {0, 0, 1280, 800}, 96, {{0, 404, 240}, {8, 844, 240}, {9, 404, 304}, {29, 580, 496}}, 32},
        {30, {1270, 790}, {0, 0, 1280, 800}, 96, {{0, 780, 480}, {29, 956, 736}}, 32},
        {12, {-10, 5}, {-1920, 0, 0, 1080}, 144, {{0, -750, 0}, {8, -90, 0}, {9, -750, 96}, {11, -486, 96}}, 48},
        {30, {100, 100}, {0, 0, 400, 300}, 96, {{0, 28, 0}}, 32},
    };
    for (const auto& c : cases) {
        LaunchList list;
        testing::FakeDirectorySearch search;
        for (int slot = 0; slot < c.slots; ++slot) {
            list[slot] = {"名前", "C:\\slot" + std::to_string(slot) + ".exe"};
            if (slot != 2) search.existing.insert(list[slot].Path);
        }
        list[1].Path.clear();
        search.unanswered.insert(list[3].Path);
        list[4].Path = "ゴミ箱";

        const auto tiles = PlaceEveryTile(list, search, c.pointer, c.monitor, c.dotsPerInch);
        std::vector<Spot> placed;
        for (const TilePlacement& tile : tiles) {
            placed.push_back({tile.Slot, tile.Left, tile.Top});
            EXPECT_EQ((std::array<int, 3>{tile.Side, tile.CaptionLeft, tile.CaptionTop}),
                      (std::array<int, 3>{c.side, tile.Left, tile.Top + c.side}));
        }
        ASSERT_EQ(placed.size(), static_cast<std::size_t>(c.slots - 3)) << c.slots;
        for (std::size_t i = 1; i < placed.size(); ++i) EXPECT_LT(placed[i - 1].slot, placed[i].slot);
        for (const Spot& want : c.expected) EXPECT_NE(std::find(placed.begin(), placed.end(), want), placed.end()) << want.slot;
        EXPECT_EQ(tiles[1].Picture, TilePicture::RecycleBin);
    }
}

}  // namespace
}  // namespace yomorina
