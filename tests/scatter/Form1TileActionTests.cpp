// Clicks and drops on tiles as Form1 receives them during a real scatter of
// the timer, with the tile actions wired as the program wires them.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "core/Form1.h"
#include "scatter/TileActions.h"
#include "tests/support/FakeShell.h"
#include "tests/support/Fakes.h"
#include "tests/support/IconvCodePage932.h"

namespace yomorina {
namespace {

using namespace yomorina::testing;

class Form1TileActionTest : public ::testing::Test {
protected:
    Journal journal;
    Model model;
    FakeMainWindow window{journal};
    FakeTrayIcon tray{journal};
    FakeFileStore store;
    FakeProcessInfo process;
    IconvCodePage932 codePage;
    ListFile listFile{store, codePage, process};
    FakeMessageBoxes messages{&journal};
    FakePointer pointer;
    FakeDirectorySearch search;
    Form1 form{model, window, tray, listFile, messages, pointer, search};
    FakeShell shell{journal};
    FakeRecycleBin recycleBin{journal};
    TileActions actions{model, [this] { form.ICON_CLEAR(); }, shell, window, recycleBin, messages};

    void SetUp() override {
        form.SetTileActions(&actions);
        form.Form_Load();
        model.Settings = {40, 5, 1, 0};
        model.List[0] = {"エディタ", "C:\\Tools\\ed.exe"};
        model.List[1] = {"ゴミ箱", "ゴミ箱"};
        search.existing = {"C:\\Tools\\ed.exe"};
        shell.existing = {"C:\\Tools\\ed.exe"};
        // Five fast ticks bring the overlay, two more the two tiles.
        for (int x = 100; x <= 1000; x += 150) {
            pointer.at = {x, 400};
            form.Timer1_Timer();
        }
        ASSERT_TRUE(form.Tracking().blnScattering);
        ASSERT_TRUE(window.tileVisible[0] && window.tileVisible[1]);
        journal.clear();
    }
    std::ptrdiff_t Position(const std::string& entry) const {
        return std::find(journal.begin(), journal.end(), entry) - journal.begin();
    }
    bool AnythingShown() const {
        return window.visible || std::count(window.tileVisible.begin(), window.tileVisible.end(), true) > 0;
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
