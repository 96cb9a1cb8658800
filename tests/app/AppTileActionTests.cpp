// Clicks and drops on tiles as App receives them during a real scatter of
// the timer, with the tile actions wired as the program wires them.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/app/AppRig.h"

namespace yomorina {
namespace {

using namespace yomorina::testing;

class AppTileActionTest : public AppRig {
protected:
    void SetUp() override {
        app.Start();
        model.Settings = {40, 5, 1, 0};
        model.List[0] = {"エディタ", "C:\\Tools\\ed.exe"};
        model.List[1] = {"ゴミ箱", "ゴミ箱"};
        search.existing = {"C:\\Tools\\ed.exe"};
        shell.existing = {"C:\\Tools\\ed.exe"};
        // Five fast ticks bring the overlay, two more the two tiles.
        for (int x = 100; x <= 1000; x += 150) TickAt(x, 400);
        ASSERT_TRUE(app.CurrentScatterState().scattering);
        ASSERT_TRUE(overlay.tileVisible[0] && overlay.tileVisible[1]);
        journal.clear();
    }
};

TEST_F(AppTileActionTest, AClickEndsTheScatterBeforeTheTargetOpens) {
    app.OnTileClick(0);
    shell.FinishSearches();
    EXPECT_LT(Position("hide window"), Position("open C:\\Tools\\ed.exe | "));
    EXPECT_EQ(journal.back(), "open C:\\Tools\\ed.exe | ");
    EXPECT_FALSE(AnythingShown());
    EXPECT_FALSE(app.CurrentScatterState().scattering);
    EXPECT_EQ(app.CurrentScatterState().nextSlot, 0);
}

TEST_F(AppTileActionTest, AHandEditWaitsForTheScatterToEndAndTheOptionsDialogReadsItItself) {
    store.files[listFile.Path()] = EncodeListFile(model.Settings, {LaunchEntry{"手で", "C:\\hand.exe"}}, codePage);
    app.OnListFileChanged();
    app.OnTileClick(0);
    shell.FinishSearches();
    EXPECT_EQ(journal.back(), "open C:\\Tools\\ed.exe | ") << "the tile opened another entry than it showed";
    TickAt(100, 400);
    EXPECT_EQ(model.List[0], (LaunchEntry{"手で", "C:\\hand.exe"}));

    store.files[listFile.Path()] = DefaultListFileBytes();
    model.OptionsOpen = true;
    app.OnListFileChanged();
    model.OptionsOpen = false;
    TickAt(100, 400);
    EXPECT_EQ(model.List[0].Name, "手で");
    app.OnListFileChanged();
    EXPECT_EQ(model.List[0], LaunchEntry{});

    // A file held for a moment is tried again on the timer a few times, then
    // left until it next changes; nothing waits for it.
    for (const int heldFor : {4, 5}) {
        store.files[listFile.Path()] = EncodeListFile(model.Settings, {LaunchEntry{"後で", "C:\\later.exe"}}, codePage);
        store.unreadable[listFile.Path()] = "(32)";
        app.OnListFileChanged();
        for (int retry = 1; retry < heldFor && timer.retryingListRead; ++retry) app.OnListReadRetry();
        store.unreadable.clear();
        if (timer.retryingListRead) app.OnListReadRetry();
        EXPECT_FALSE(timer.retryingListRead);
        EXPECT_EQ(model.List[0].Name, heldFor == 4 ? "後で" : "") << heldFor;
        EXPECT_EQ(store.lastPatience, std::chrono::milliseconds(0));
        store.files[listFile.Path()] = DefaultListFileBytes();
        app.OnListFileChanged();
    }
}

// Whether or not the started program takes the foreground: a hidden overlay is no switch.
TEST_F(AppTileActionTest, ADropOnAProgramEndsTheScatterBeforeTheProgramStarts) {
    app.OnTileDrop(0, {true, {"C:\\a b.txt"}});
    shell.FinishSearches();
    EXPECT_LT(Position("hide window"), Position("open C:\\Tools\\ed.exe | \"C:\\a b.txt\""));
    EXPECT_FALSE(AnythingShown());
    EXPECT_FALSE(app.CurrentScatterState().scattering);
}

TEST_F(AppTileActionTest, ADropOnTheRecycleBinEndsTheScatterAfterTheFirstFile) {
    app.OnTileDrop(1, {true, {"C:\\a.txt", "C:\\b.txt"}});
    EXPECT_LT(Position("recycle C:\\a.txt"), Position("hide window"));
    EXPECT_LT(Position("hide window"), Position("recycle C:\\b.txt"));
    EXPECT_FALSE(AnythingShown());
    EXPECT_FALSE(app.CurrentScatterState().scattering);
}

}  // namespace
}  // namespace yomorina
