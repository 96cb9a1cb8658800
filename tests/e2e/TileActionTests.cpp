// Clicking and dropping on the tiles of the real program, from outside: the
// launched program is RecordArguments.exe, which notes how it was started.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "platform/win32/overlay/Tile.h"
#include "tests/e2e/DragDrop.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/Tray.h"
#include "tests/platform/DialogWatcher.h"
#include "tests/platform/RecordedArguments.h"
#include "tests/platform/WineTrash.h"

namespace yomorina::e2e {
namespace {

using namespace std::chrono_literals;
using testing::DialogWatcher;
using testing::RecordedRuns;

constexpr int ProgramSlot = 0;
constexpr int RecycleBinSlot = 1;

class TileActions : public ::testing::Test, protected Overlay {
protected:
    ProgramUnderTest app{L"tiles"};
    testing::TempFolder records{L"records"};
    std::wstring program;

    void SetUp() override {
        // The launched program inherits this through yomorina.exe.
        SetEnvironmentVariableW(L"YOMORINA_RECORD_FOLDER", records.Wide().c_str());
        testing::PrepareWineTrash();
        CreateDirectoryW(app.Folder().Child(L"ツール 置き場").c_str(), nullptr);
        program = app.Folder().Child(L"ツール 置き場\\記録 する.exe");
        ASSERT_TRUE(CopyFileW(testing::RecordArgumentsExe().c_str(), program.c_str(), FALSE));

        app.WriteListFile(Settings(), Entries());

        main = app.StartResident();
        ASSERT_NE(main, nullptr);
    }
    void TearDown() override { SetEnvironmentVariableW(L"YOMORINA_RECORD_FOLDER", nullptr); }
    virtual ScatterSettings Settings() const { return QuickScatter; }
    virtual std::vector<LaunchEntry> Entries() const { return {{"記録", win32::ToUtf8(program)}, {"ゴミ箱", "ゴミ箱"}}; }

    // Shakes the pointer along a line until both tiles are out.
    void Scatter() {
        Hand hand;
        ASSERT_TRUE(hand.RestAtStart(main));
        hand.ShakeUntil([&] { return IsShown(Tile(ProgramSlot)) && IsShown(Tile(RecycleBinSlot)); }, main, 16);
        ASSERT_TRUE(IsWindowVisible(Window()) && IsShown(Tile(ProgramSlot)) && IsShown(Tile(RecycleBinSlot)))
            << "the tiles never came out";
        // The pointer rests away from the tiles, so no further tick moves anything.
        ASSERT_TRUE(RestPointerAt(main, hand.At()));
    }
    std::wstring MakeFile(const std::wstring& name) const {
        const std::wstring path = app.Folder().Child(name);
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(file);
        return path;
    }
};

TEST_F(TileActions, ClickingAProgramTileStartsItWithNoArgumentsAndTheTilesGo) {
    Scatter();
    SaveScreenshot("tile-actions-before-click");
    ClickAt(CentreOf(Tile(ProgramSlot)));
    ASSERT_TRUE(WaitUntil([&] { return RecordedRuns(records.Wide()).size() == 1; }, 10s)) << "the program never ran";
    EXPECT_EQ(RecordedRuns(records.Wide())[0], std::vector<std::string>{});
    EXPECT_TRUE(WaitUntil([&] { return ShowsNothing(); }, 10s));
}

TEST_F(TileActions, FilesDroppedOnAProgramTileStartItOnceForEachFileInTheDropsOrder) {
    const std::vector<std::wstring> files{MakeFile(L"予算 案.txt"), MakeFile(L"b.txt"), MakeFile(L"a.txt")};
    Scatter();
    const DragOutcome dropped = DropFilesAt(CentreOf(Tile(ProgramSlot)), files);
    EXPECT_EQ(dropped.result, DRAGDROP_S_DROP);

    ASSERT_TRUE(WaitUntil([&] { return RecordedRuns(records.Wide()).size() == files.size(); }, 10s))
        << RecordedRuns(records.Wide()).size() << " runs";
    std::vector<std::vector<std::string>> expected;
    for (const std::wstring& file : files) expected.push_back({win32::ToUtf8(file)});
    EXPECT_EQ(RecordedRuns(records.Wide()), expected);
    // The launch ended the scatter, as a click's does.
    EXPECT_TRUE(WaitUntil([&] { return ShowsNothing(); }, 10s));
}

TEST_F(TileActions, AFileDroppedOnTheRecycleBinLeavesItsFolderAfterTheDragHasEnded) {
    const std::wstring file = MakeFile(L"捨てる 書類.txt");
    Scatter();
    // The confirmation is answered only once the drag source is free again (or
    // after a while, if the drop holds it): a file manager must not freeze behind it.
    std::atomic<bool> dragEnded{false};
    std::atomic<bool> dragEndedWhileAsking{false};
    DialogWatcher watcher(app.Running().Id(), IDYES, [&](const std::wstring&) {
        SaveScreenshot("tile-actions-recycle-confirmation");
        dragEndedWhileAsking = WaitUntil([&] { return dragEnded.load(); }, 20s);
    });
    const DragOutcome dropped = DropFilesAt(CentreOf(Tile(RecycleBinSlot)), {file});
    dragEnded = true;
    EXPECT_EQ(dropped.result, DRAGDROP_S_DROP);
    EXPECT_EQ(dropped.effect, static_cast<DWORD>(DROPEFFECT_COPY)) << "a source that may move must keep its file";
    EXPECT_TRUE(WaitUntil([&] { return GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES; }, 10s));
    EXPECT_EQ(watcher.Titles().size(), 1u) << "the shell's own confirmation";
    EXPECT_TRUE(dragEndedWhileAsking) << "the drag source waited for the confirmation";
    EXPECT_TRUE(WaitUntil([&] { return ShowsNothing(); }, 10s));
}

TEST_F(TileActions, TextDroppedOnATileChangesNothing) {
    Scatter();
    DropTextAt(CentreOf(Tile(ProgramSlot)), L"ただの文字");
    const auto acted = [&] { return !IsShown(Tile(ProgramSlot)) || !RecordedRuns(records.Wide()).empty(); };
    const auto dropFile = [&] { DropFilesAt(CentreOf(Tile(ProgramSlot)), {MakeFile(L"a.txt")}); };
    EXPECT_EQ(NotUntilProvoked(acted, 3s, dropFile), "");
}

// The program second in the list, behind the recycle bin, and Ctrl+Alt+Y as the call key.
class CalledTileActions : public TileActions {
protected:
    ScatterSettings Settings() const override {
        ScatterSettings settings = QuickScatter;
        settings.CallKey = 0x0600 | 'Y';
        return settings;
    }
    std::vector<LaunchEntry> Entries() const override { return {{"ゴミ箱", "ゴミ箱"}, {"記録", win32::ToUtf8(program)}}; }
};

TEST_F(CalledTileActions, TheKeysTilesHaveTheKeyboardAndTabThenEnterOpensTheSecondEntry) {
    ASSERT_TRUE(RestPointerAt(main, {640, 400}));
    PressKeys({VK_CONTROL, VK_MENU, 'Y'});
    ASSERT_TRUE(WaitUntil([&] { return IsShown(Tile(0)) && IsShown(Tile(1)); }, 5s)) << "the key brought no tiles";
    PressKeys({VK_TAB});
    PressKeys({VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return RecordedRuns(records.Wide()).size() == 1; }, 10s)) << "the program never ran";
    EXPECT_EQ(RecordedRuns(records.Wide())[0], std::vector<std::string>{});
    EXPECT_TRUE(WaitUntil([&] { return ShowsNothing(); }, 10s));
}

}  // namespace
}  // namespace yomorina::e2e
