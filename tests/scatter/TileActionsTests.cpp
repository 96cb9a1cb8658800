#include "scatter/TileActions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/FakeShell.h"

namespace yomorina {
namespace {

using ::testing::ElementsAre;
using namespace yomorina::testing;

class TileActionsTest : public ::testing::Test {
protected:
    TileActionsTest() {
        model.List[0] = {"エディタ", "C:\\Program Files\\Editor\\ed.exe"};
        model.List[1] = {"ゴミ箱", "ゴミ箱"};
        model.List[2] = {"資料", "D:\\資料\\予算 案.txt"};
        shell.existing = {"C:\\Program Files\\Editor\\ed.exe", "D:\\資料\\予算 案.txt"};
    }

    Journal journal;
    Model model;
    FakeOverlay overlay{journal};
    FakeShell shell{journal};
    FakeRecycleBin recycleBin{journal};
    FakeMessageBoxes messages{&journal};
    TileActions actions{model, [this] { journal.push_back("EndScatter"); }, [](const auto& call) { call(); },
                        shell, overlay, recycleBin, messages};
};

TEST_F(TileActionsTest, ClickClearsTheTilesThenOpensTheSlotsPathOnceItsSearchComesBack) {
    // The overlay goes at once, not after a share that may take a minute to answer.
    actions.OnTileClick(2);
    EXPECT_THAT(journal, ElementsAre("EndScatter", "hide window"));
    shell.FinishSearches();
    EXPECT_THAT(journal, ElementsAre("EndScatter", "hide window", "open D:\\資料\\予算 案.txt | "));
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].Show, ShowState::Normal);
    EXPECT_EQ(shell.opened[0].Owner, 0u);
    EXPECT_TRUE(messages.shown.empty());
}

// A vanished target is tried and only clears.
TEST_F(TileActionsTest, ClickLaunchesTheTextAsItWasWhenClickedEvenIfTheListChangesMeanwhile) {
    // The options dialog's OK may replace the list while the search runs.
    model.List[3] = {"古い", "C:\\Tools\\old.exe"};
    actions.OnTileClick(3);
    model.List[3].Path = "C:\\Tools\\new.exe";
    shell.FinishSearches();
    EXPECT_THAT(journal, ElementsAre("EndScatter", "hide window", "open C:\\Tools\\old.exe | ",
                                     "start \"C:\\Tools\\old.exe\""));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TileActionsTest, ClickOnTheRecycleBinClearsThenExplainsAndDoesNothingElse) {
    actions.OnTileClick(1);
    EXPECT_THAT(journal, ElementsAre("EndScatter", "message メッセージ: ゴミ箱をクリックしても何も起こりません。"));
    EXPECT_EQ(messages.shown.at(0).buttons, MessageButtons::Ok);
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_TRUE(recycleBin.moved.empty());
}

TEST_F(TileActionsTest, EachDroppedFileStartsTheProgramOnceWithThatFileAsOneArgumentInTheDropsOrder) {
    actions.OnTileDrop(0, {true, {"C:\\a.txt", "C:\\My Documents\\b c.txt", "D:\\資料\\表.txt"}});
    actions.OnTileClick(2);  // a search that finishes first
    shell.FinishSearches();
    // As a click's launch: the scatter ends, the overlay goes, then the program starts.
    const std::string launch = "open C:\\Program Files\\Editor\\ed.exe | ";
    EXPECT_THAT(journal, ElementsAre("EndScatter", "hide window", "EndScatter", "hide window",
                                     "open D:\\資料\\予算 案.txt | ", launch + "\"C:\\a.txt\"",
                                     launch + "\"C:\\My Documents\\b c.txt\"", launch + "\"D:\\資料\\表.txt\""));
    for (const auto& request : shell.opened) {
        EXPECT_EQ(request.Show, ShowState::Normal);
        EXPECT_EQ(request.Owner, 0u);
    }
}

// The shell's confirmation answers to Esc and Enter.
TEST_F(TileActionsTest, EachFileDroppedOnTheRecycleBinIsMovedOnItsOwnAFailureReportedAndTheRestStillMoved) {
    recycleBin.failing = {"C:\\a.txt", "C:\\c.txt"};
    actions.OnTileDrop(1, {true, {"C:\\a.txt", "C:\\b c.txt", "C:\\c.txt"}});
    EXPECT_THAT(journal, ElementsAre("release overlay keys", "recycle C:\\a.txt", "message エラー: ゴミ箱への移動に失敗しました。",
                                     "EndScatter", "release overlay keys", "recycle C:\\b c.txt", "EndScatter",
                                     "release overlay keys", "recycle C:\\c.txt",
                                     "message エラー: ゴミ箱への移動に失敗しました。", "EndScatter"));
    EXPECT_THAT(recycleBin.moved, ElementsAre("C:\\b c.txt"));
    EXPECT_TRUE(shell.opened.empty());
}

TEST_F(TileActionsTest, AClickOrDropOutsideTheSlotsOrADropWithoutFilesDoesNothingAndTheTilesStay) {
    actions.OnTileClick(LaunchSlotCount);
    actions.OnTileClick(-1);
    actions.OnTileDrop(LaunchSlotCount, {true, {"C:\\a.txt"}});
    actions.OnTileDrop(0, {false, {}});  // text, not a file list
    actions.OnTileDrop(1, {false, {}});
    actions.OnTileDrop(1, {true, {}});
    EXPECT_TRUE(journal.empty());
    EXPECT_TRUE(overlay.visible);
}

}  // namespace
}  // namespace yomorina
