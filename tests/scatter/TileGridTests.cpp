#include "scatter/TileGrid.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/Fakes.h"

namespace yomorina {
namespace {

using testing::FakeDirectorySearch;

struct Spot {
    int slot, left, top;
    friend bool operator==(const Spot&, const Spot&) = default;
};

// Slot order, rows of six, centred on the pointer, moved onto the monitor where it does not fit, at its scale.
TEST(TileGrid, EverySlotAShakeWouldBringOutComesOutInRowsOfSixCentredOnThePointerAndOnItsMonitor) {
    const struct {
        const char* what;
        int slotsOut;  // slots 0.. exist; slot 1 is empty, slot 2 missing, slot 3 not yet answered, slot 4 the bin
        ScreenPoint pointer;
        ScreenRect monitor;
        int dotsPerInch;
        std::vector<Spot> expected;  // a few tiles: slot, left, top
        int side;
    } cases[] = {
        {"three out, centred", 6, {640, 400}, {0, 0, 1280, 800}, 96, {{0, 536, 368}, {4, 624, 368}, {5, 712, 368}}, 32},
        {"twenty-seven in five rows", 30, {640, 400}, {0, 0, 1280, 800}, 96,
         {{0, 404, 240}, {8, 844, 240}, {9, 404, 304}, {29, 580, 496}}, 32},
        {"pointer in the corner", 30, {1270, 790}, {0, 0, 1280, 800}, 96, {{0, 780, 480}, {29, 956, 736}}, 32},
        {"left monitor at 144 dpi, pointer at its top right", 12, {-10, 5}, {-1920, 0, 0, 1080}, 144,
         {{0, -750, 0}, {8, -90, 0}, {9, -750, 96}, {11, -486, 96}}, 48},
        {"monitor narrower than the grid", 30, {100, 100}, {0, 0, 400, 300}, 96, {{0, 28, 0}}, 32},
    };
    for (const auto& c : cases) {
        LaunchList list;
        FakeDirectorySearch search;
        for (int slot = 0; slot < c.slotsOut; ++slot) {
            list[slot] = {"名前" + std::to_string(slot), "C:\\slot" + std::to_string(slot) + ".exe"};
            search.existing.insert(list[slot].Path);
        }
        list[1] = {"空き", ""};
        search.existing.erase(list[2].Path);
        search.unanswered.insert(list[3].Path);
        list[4] = {"ゴミ箱", "ゴミ箱"};

        const auto tiles = PlaceEveryTile(list, search, c.pointer, c.monitor, c.dotsPerInch);
        ASSERT_EQ(tiles.size(), static_cast<std::size_t>(c.slotsOut - 3)) << c.what;
        for (std::size_t i = 1; i < tiles.size(); ++i) EXPECT_LT(tiles[i - 1].Slot, tiles[i].Slot) << c.what;
        for (const Spot& want : c.expected) {
            const auto tile = std::find_if(tiles.begin(), tiles.end(), [&](const TilePlacement& t) { return t.Slot == want.slot; });
            ASSERT_NE(tile, tiles.end()) << c.what << " slot " << want.slot;
            EXPECT_EQ((Spot{tile->Slot, tile->Left, tile->Top}), want) << c.what;
            EXPECT_EQ(tile->Side, c.side) << c.what;
            EXPECT_EQ(tile->CaptionLeft, want.left) << c.what;
            EXPECT_EQ(tile->CaptionTop, want.top + c.side) << c.what;
        }
        EXPECT_EQ(tiles[1].Picture, TilePicture::RecycleBin) << c.what;
    }
}

}  // namespace
}  // namespace yomorina
