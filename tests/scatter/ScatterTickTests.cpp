#include "scatter/ScatterTick.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "tests/support/Fakes.h"
#include "tests/support/Speaking.h"

namespace yomorina {
namespace {

using testing::FakeDirectorySearch;
using testing::FakeMonitors;
using testing::FakeUserAttention;

class ScatterTickTest : public ::testing::Test {
protected:
    ScatterState state;
    ScatterSettings settings{10, 3, 1, 0};
    LaunchList list;
    FakeDirectorySearch search;
    FakeMonitors monitors;
    FakeUserAttention attention;
    ScreenPoint at;

    void SetUp() override {
        for (int slot = 0; slot < LaunchSlotCount; ++slot) {
            list[slot] = {"名前" + std::to_string(slot), "C:\\slot" + std::to_string(slot) + ".exe"};
            search.existing.insert(list[slot].Path);
        }
    }

    // The pointer resting at `point`, as the last tick saw it, no shake counted.
    void RestAt(ScreenPoint point) {
        at = point;
        state = {point, 0, 0, false};
    }
    TickAction MoveBy(int dx, int dy = 0) {
        at = {at.x + dx, at.y + dy};
        return ScatterTick(state, settings, list, at, search, monitors, attention);
    }
    // Runs the ticks that start a scatter, starting from the current position.
    void StartScatter() {
        const ScatterSettings inForce = SettingsInForce(settings);
        for (int i = 0; i < inForce.FastTicksToStart; ++i) MoveBy(inForce.MoveDistance + 1);
        ASSERT_TRUE(state.scattering);
    }
    // The slots that came out, in order, over a number of identical moves.
    std::vector<int> SlotsOver(int ticks, int dx, int dy = 0) {
        std::vector<int> slots;
        for (int i = 0; i < ticks; ++i) {
            if (const auto action = MoveBy(dx, dy); action.Tile) slots.push_back(action.Tile->Slot);
        }
        return slots;
    }
};

TEST_F(ScatterTickTest, LeadInNeedsExactlyFastTicksToStartInARowBeyondTheDistance) {
    RestAt({400, 300});
    EXPECT_FALSE(MoveBy(11).ShowOverlay);
    EXPECT_FALSE(MoveBy(-11).ShowOverlay);
    const TickAction third = MoveBy(0, 11);  // either axis counts
    ASSERT_TRUE(third.ShowOverlay);
    EXPECT_FALSE(third.Tile) << "the tick that starts the scatter brings out nothing";
    EXPECT_TRUE(state.scattering);
    EXPECT_EQ(state.shakeCount, 0);
    EXPECT_EQ(state.nextSlot, 0);

    // A 5-pixel tick in between resets the count; a move of exactly the distance is not fast.
    RestAt({400, 300});
    for (int move : {11, 11, 5, 11}) EXPECT_FALSE(MoveBy(move).ShowOverlay) << move;
    EXPECT_EQ(state.shakeCount, 1);
    for (int move : {11, 10, 11, 11}) EXPECT_FALSE(MoveBy(move).ShowOverlay) << move;
    EXPECT_TRUE(MoveBy(11).ShowOverlay);
}

TEST_F(ScatterTickTest, NoScatterStartsOverAFullScreenProgramButOneOnScreenGoesOn) {
    RestAt({400, 300});
    attention.fullScreen = true;
    for (int move : {11, -11, 11}) EXPECT_FALSE(MoveBy(move).ShowOverlay) << move;
    EXPECT_EQ(attention.asked, 1) << "asked only on the tick that reaches the lead-in";
    EXPECT_EQ(state.shakeCount, 0) << "the refused start used up the lead-in";
    EXPECT_EQ(state.lastSample.x, at.x);

    // Gone: the same shake starts; once on screen the scatter does not ask again.
    attention.fullScreen = false;
    EXPECT_FALSE(MoveBy(11).ShowOverlay);
    EXPECT_FALSE(MoveBy(-11).ShowOverlay);
    EXPECT_TRUE(MoveBy(11).ShowOverlay);
    attention.fullScreen = true;
    EXPECT_EQ((std::vector<int>{0, 1, 2}), SlotsOver(3, 30));
    EXPECT_EQ(attention.asked, 2);
}

TEST_F(ScatterTickTest, TheFirstTickIsMeasuredFromTheScreenOrigin) {
    settings.FastTicksToStart = 1;
    at = {0, 0};
    EXPECT_FALSE(MoveBy(7, 9).ShowOverlay) << "a pointer near the origin has not moved far";
    state = ScatterState{};
    at = {0, 0};
    EXPECT_TRUE(MoveBy(640, 400).ShowOverlay);
    EXPECT_EQ(state.lastSample, (ScreenPoint{640, 400}));
}

TEST_F(ScatterTickTest, DuringAScatterMovementBeyondHalfTheDistanceCountsAndLessResets) {
    settings.FastTicksPerTile = 2;
    RestAt({600, 400});
    StartScatter();

    // A distance of 10: 5 pixels stay within the half (5.0), 6 count; so do moves beyond 10.
    EXPECT_FALSE(MoveBy(6).Tile);
    EXPECT_FALSE(MoveBy(5).Tile);
    EXPECT_EQ(state.shakeCount, 0);
    EXPECT_FALSE(MoveBy(0, -6).Tile);
    EXPECT_TRUE(MoveBy(40).Tile);
    EXPECT_EQ(state.nextSlot, 1);

    // The half is not rounded: a distance of 11 gives 5.5, so 6 counts (rounding to 6 would reset).
    settings.MoveDistance = 11;
    settings.FastTicksPerTile = 1;
    EXPECT_FALSE(MoveBy(5).Tile);
    EXPECT_TRUE(MoveBy(6).Tile);
    settings.MoveDistance = 13;  // 6.5
    EXPECT_FALSE(MoveBy(0, 6).Tile);
    EXPECT_TRUE(MoveBy(0, 7).Tile);
    EXPECT_EQ(state.nextSlot, 3);
}

TEST_F(ScatterTickTest, WithFastTicksPerTileOfTwoEachTileTakesTwoMovingTicksInARow) {
    settings.FastTicksPerTile = 2;
    RestAt({600, 400});
    StartScatter();
    EXPECT_FALSE(MoveBy(30).Tile);
    const TickAction second = MoveBy(30);
    ASSERT_TRUE(second.Tile);
    EXPECT_EQ(second.Tile->Slot, 0);
    EXPECT_FALSE(second.ShowOverlay) << "the overlay is shown once per scatter";
    EXPECT_EQ((std::vector<int>{1, 2}), SlotsOver(4, -30));
    EXPECT_FALSE(MoveBy(30).Tile);
    EXPECT_FALSE(MoveBy(2).Tile);  // resets
    EXPECT_FALSE(MoveBy(30).Tile);
    EXPECT_TRUE(MoveBy(30).Tile);
}

// A tile lands 64 pixels behind the pointer's last move, the recycle bin 32 diagonally; a tile inside the dead
// zone of 20 pointer pixels is centred on the pointer (the bin has none); nothing is held back at the screen's edge.
// Tiles and distances take the monitor's scale, the dead zone does not.
TEST_F(ScatterTickTest, ATileLandsBehindThePointerTheRecycleBinDiagonallyAndBothGrowWithTheMonitorsScale) {
    const LaunchEntry notepad{"メモ帳", "C:\\slot0.exe"};
    const LaunchEntry bin{"捨てる", "ゴミ箱"};
    EXPECT_EQ(*PlaceTile(4, notepad, {470, 300}, {500, 300}, search),
              (TilePlacement{4, 420, 284, 420, 316, 32, 96, TilePicture::TargetIcon, "C:\\slot0.exe", "メモ帳", "メモ帳"}));
    EXPECT_EQ(*PlaceTile(7, bin, {470, 300}, {500, 300}, search, 144),
              (TilePlacement{7, 428, 228, 428, 276, 48, 144, TilePicture::RecycleBin, "ゴミ箱", "捨てる", "ゴミ箱"}));
    {
        // The bin is announced in the user's language, and shown in it under the name its tick stores.
        const testing::Speaking english(EnglishTexts);
        const auto names = [&](const LaunchEntry& entry) {
            const TilePlacement tile = *PlaceTile(7, entry, {470, 300}, {500, 300}, search);
            return std::array{tile.Name, tile.AccessibleName};
        };
        EXPECT_EQ(names(bin), (std::array<std::string, 2>{"捨てる", "Recycle Bin"}));
        EXPECT_EQ(names({"ゴミ箱", "ゴミ箱"}), (std::array<std::string, 2>{"Recycle Bin", "Recycle Bin"}));
    }
    const struct {
        bool isBin;
        ScreenPoint from, to;
        int dpi, left, top;
    } cases[] = {
        {false, {530, 270}, {500, 300}, 96, 548, 220},  // moving left and down: to the right and above
        {false, {485, 285}, {500, 300}, 96, 484, 284},  {false, {480, 280}, {500, 300}, 96, 484, 284},
        {false, {520, 320}, {500, 300}, 96, 484, 284},  {false, {479, 321}, {500, 300}, 96, 420, 348},
        {false, {40, 40}, {5, 5}, 96, 53, 53},          {false, {0, 0}, {30, 30}, 96, -50, -50},
        {false, {470, 300}, {500, 300}, 144, 380, 276}, {false, {480, 300}, {500, 300}, 144, 476, 276},
        {true, {500, 300}, {500, 300}, 96, 452, 252},   // no movement counts as right and down
        {true, {501, 301}, {500, 300}, 96, 516, 316},   {true, {470, 300}, {500, 300}, 192, 404, 204},
    };
    for (const auto& c : cases) {
        const auto placed = PlaceTile(0, c.isBin ? bin : notepad, c.from, c.to, search, c.dpi);
        ASSERT_TRUE(placed);
        EXPECT_EQ((std::array<int, 4>{placed->Left, placed->Top, placed->CaptionTop, placed->Side}),
                  (std::array<int, 4>{c.left, c.top, c.top + c.dpi / 3, c.dpi / 3}))
            << c.from.x << "," << c.from.y << " to " << c.to.x << "," << c.to.y << " at " << c.dpi;
    }

    // The tick asks the monitor under the pointer.
    monitors.dotsPerInch = 192;
    StartScatter();
    const auto tile = MoveBy(settings.MoveDistance).Tile;
    ASSERT_TRUE(tile);
    EXPECT_EQ(tile->Side, 64);

    // Only the exact text marks the recycle bin, and its path is no file to look for.
    search.existing = {"ゴミ箱 ", "C:\\ゴミ箱"};
    for (const char* path : {"ゴミ箱 ", "C:\\ゴミ箱"}) {
        const auto placed = PlaceTile(7, {"x", path}, {470, 300}, {500, 300}, search);
        ASSERT_TRUE(placed) << path;
        EXPECT_EQ(placed->Picture, TilePicture::TargetIcon) << path;
        EXPECT_EQ(placed->Top, 284) << path;
    }
    EXPECT_TRUE(PlaceTile(7, bin, {470, 300}, {500, 300}, search));
}

TEST_F(ScatterTickTest, EmptyMissingAndUnansweredSlotsUseUpTheirTurnWithoutATile) {
    list[0] = {"空", ""};
    list[1] = {"消えた", "C:\\gone.exe"};
    list[3] = {"", "C:\\slot3.exe"};
    RestAt({600, 400});
    StartScatter();
    EXPECT_FALSE(MoveBy(30).Tile);
    EXPECT_EQ(state.nextSlot, 1);
    EXPECT_FALSE(MoveBy(30).Tile);
    EXPECT_EQ(state.nextSlot, 2);
    const auto third = MoveBy(30);
    ASSERT_TRUE(third.Tile);
    EXPECT_EQ(third.Tile->Slot, 2);
    const auto fourth = MoveBy(30);
    ASSERT_TRUE(fourth.Tile);
    EXPECT_EQ(fourth.Tile->Name, "") << "an empty name still gives a tile with an empty caption";
    // A share that has not answered by its turn: skipped for this scatter, not waited for.
    search.unanswered.insert(list[4].Path);
    EXPECT_FALSE(MoveBy(30).Tile);
    EXPECT_EQ(state.nextSlot, 5);
    EXPECT_EQ(MoveBy(30).Tile->Slot, 5);
}

TEST_F(ScatterTickTest, AfterTheThirtiethTurnNothingMoreComesOutButTheScatterGoesOn) {
    RestAt({600, 400});
    StartScatter();
    std::vector<int> expected;
    for (int slot = 0; slot < LaunchSlotCount; ++slot) expected.push_back(slot);
    EXPECT_EQ(SlotsOver(30, 30, 0), expected);
    EXPECT_EQ(state.nextSlot, 30);
    EXPECT_TRUE(SlotsOver(20, -30, 30).empty());
    EXPECT_EQ(state.nextSlot, 30);
    EXPECT_TRUE(state.scattering);
    EXPECT_EQ(state.shakeCount, 0);
}

TEST_F(ScatterTickTest, ValuesTheOptionsDialogNeverOffersAreHeldToItsRanges) {
    // A distance of 0 would make the smallest jiggle a shake.
    settings = {0, 1, 1, 0};
    RestAt({400, 300});
    EXPECT_FALSE(MoveBy(3).ShowOverlay);
    EXPECT_FALSE(MoveBy(10).ShowOverlay);
    EXPECT_TRUE(MoveBy(11).ShowOverlay);

    // Counts of 0 or less would never be reached: they act as 1.
    for (std::int16_t count : {std::int16_t{0}, std::int16_t{-4}}) {
        settings = {100, count, count, 0};
        RestAt({400, 300});
        EXPECT_TRUE(MoveBy(101).ShowOverlay) << count;
        EXPECT_TRUE(MoveBy(51).Tile) << count;
    }

    EXPECT_EQ(SettingsInForce({-30, 0, 99, 7}), (ScatterSettings{10, 1, 10, 7}));
    EXPECT_EQ(SettingsInForce({5, 11, -1, 0}), (ScatterSettings{10, 10, 1, 0}));
    EXPECT_EQ(SettingsInForce({32767, 10, 1, -2}), (ScatterSettings{500, 10, 1, -2}));
    EXPECT_EQ(SettingsInForce({250, 3, 2, 3}), (ScatterSettings{250, 3, 2, 3}));
}

TEST_F(ScatterTickTest, TheBackgroundPatternPicksTheRasterRuleAndAnythingElseIsPlain) {
    EXPECT_EQ(BackgroundForPattern(0), OverlayBackground::Screen);
    EXPECT_EQ(BackgroundForPattern(1), OverlayBackground::Negative);
    EXPECT_EQ(BackgroundForPattern(2), OverlayBackground::Light);
    EXPECT_EQ(BackgroundForPattern(3), OverlayBackground::Dark);
    for (std::int16_t other : {-1, 4, 32767, -32768}) EXPECT_EQ(BackgroundForPattern(other), OverlayBackground::Plain);

    settings = {10, 1, 1, 2};
    RestAt({400, 300});
    EXPECT_EQ(MoveBy(50).ShowOverlay, OverlayBackground::Light);
}

}  // namespace
}  // namespace yomorina
