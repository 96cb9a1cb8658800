// Clicks and drops on tiles as Form1 receives them during a real scatter of
// the timer, with the tile actions wired as the program wires them.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/app/Form1Rig.h"

namespace yomorina {
namespace {

using namespace yomorina::testing;

class Form1TileActionTest : public Form1Rig {
protected:
    void SetUp() override {
        form.Form_Load();
        model.Settings = {40, 5, 1, 0};
        model.List[0] = {"エディタ", "C:\\Tools\\ed.exe"};
        model.List[1] = {"ゴミ箱", "ゴミ箱"};
        search.existing = {"C:\\Tools\\ed.exe"};
        shell.existing = {"C:\\Tools\\ed.exe"};
        // Five fast ticks bring the overlay, two more the two tiles.
        for (int x = 100; x <= 1000; x += 150) TickAt(x, 400);
        ASSERT_TRUE(form.Tracking().blnScattering);
        ASSERT_TRUE(window.tileVisible[0] && window.tileVisible[1]);
        journal.clear();
    }
};

TEST_F(Form1TileActionTest, AClickEndsTheScatterBeforeTheTargetOpens) {
    form.IC_Click(0);
    EXPECT_LT(Position("hide caption 30"), Position("open C:\\Tools\\ed.exe | "));
    EXPECT_EQ(journal.back(), "open C:\\Tools\\ed.exe | ");
    EXPECT_FALSE(AnythingShown());
    EXPECT_FALSE(form.Tracking().blnScattering);
    EXPECT_EQ(form.Tracking().intNextSlot, 0);
}

TEST_F(Form1TileActionTest, ADropOnAProgramLeavesTheTilesToTheNextTick) {
    form.IC_OLEDragDrop(0, {true, {"C:\\a b.txt"}});
    EXPECT_EQ(journal.back(), "open C:\\Tools\\ed.exe | \"C:\\a b.txt\"");
    EXPECT_TRUE(form.Tracking().blnScattering);
    EXPECT_TRUE(window.tileVisible[0]);

    // The launcher hid the overlay, so it is no longer active and the tick clears.
    form.Timer1_Timer();
    EXPECT_FALSE(AnythingShown());
    EXPECT_FALSE(form.Tracking().blnScattering);
}

TEST_F(Form1TileActionTest, ADropOnTheRecycleBinEndsTheScatterAfterTheFirstFile) {
    form.IC_OLEDragDrop(1, {true, {"C:\\a.txt", "C:\\b.txt"}});
    EXPECT_LT(Position("recycle C:\\a.txt"), Position("hide caption 30"));
    EXPECT_LT(Position("hide caption 30"), Position("recycle C:\\b.txt"));
    EXPECT_FALSE(AnythingShown());
    EXPECT_FALSE(form.Tracking().blnScattering);
}

TEST_F(Form1TileActionTest, TextDroppedOnATileLeavesTheScatterAsItIs) {
    form.IC_OLEDragDrop(0, {false, {}});
    EXPECT_TRUE(journal.empty());
    EXPECT_TRUE(form.Tracking().blnScattering);
}

}  // namespace
}  // namespace yomorina
