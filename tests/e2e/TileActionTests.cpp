// Clicking and dropping on the tiles of the real program, from outside: the
// launched program is RecordArguments.exe, which notes how it was started.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>

#include "platform/win32/Win32TileWindow.h"
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

std::string Cp932(const std::wstring& text) {
    if (text.empty()) return {};
    const int size =
        WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

bool IsShown(HWND window) { return window && (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

POINT CentreOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

class TileActions : public ::testing::Test {
protected:
    App app{L"tiles"};
    testing::TempFolder records{L"records"};
    std::wstring program;
    HWND main = nullptr;

    void SetUp() override {
        // The launched program inherits this through yomorina.exe.
        SetEnvironmentVariableW(L"YOMORINA_RECORD_FOLDER", records.Wide().c_str());
        testing::PrepareWineTrash();
        CreateDirectoryW(app.Folder().Child(L"ツール 置き場").c_str(), nullptr);
        program = app.Folder().Child(L"ツール 置き場\\記録 する.exe");
        ASSERT_TRUE(CopyFileW(testing::RecordArgumentsExe().c_str(), program.c_str(), FALSE));

        // Distance 20, three fast ticks to start, one moving tick per tile.
        std::string list = " 20 \r\n 3 \r\n 1 \r\n";
        list += Cp932(L"記録") + "\r\n" + Cp932(program) + "\r\n";
        list += Cp932(L"ゴミ箱") + "\r\n" + Cp932(L"ゴミ箱") + "\r\n";
        for (int slot = 2; slot < 30; ++slot) list += "\r\n\r\n";
        app.WriteFile(L"filelist.txt", list + " 0 \r\n");

        main = app.StartResident();
        ASSERT_NE(main, nullptr);
    }
    void TearDown() override { SetEnvironmentVariableW(L"YOMORINA_RECORD_FOLDER", nullptr); }

    HWND Tile(int index) const { return GetDlgItem(main, win32::TileControlId(index)); }

    // Shakes the pointer along a line until both tiles are out.
    void Scatter() {
        int x = 100;
        SetCursorPos(x, 400);
        Sleep(300);
        for (int steps = 0; steps < 80 && !(IsShown(Tile(ProgramSlot)) && IsShown(Tile(RecycleBinSlot))); ++steps) {
            x += 25;
            SetCursorPos(x, 400);
            Sleep(40);
        }
        ASSERT_TRUE(IsWindowVisible(main) && IsShown(Tile(ProgramSlot)) && IsShown(Tile(RecycleBinSlot)))
            << "the tiles never came out";
        // The pointer rests away from the tiles, so no further tick moves anything.
        SetCursorPos(x, 400);
        Sleep(300);
    }
    bool NothingShown() const {
        if (IsWindowVisible(main)) return false;
        for (int i = 0; i < 31; ++i) {
            if (IsShown(Tile(i))) return false;
        }
        return true;
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
    EXPECT_TRUE(WaitUntil([&] { return NothingShown(); }, 3s));
}

TEST_F(TileActions, ClickingTheRecycleBinOnlyExplains) {
    Scatter();
    DialogWatcher watcher(app.Running().Id(), IDOK,
                          [](const std::wstring&) { SaveScreenshot("tile-actions-recycle-bin-click"); });
    ClickAt(CentreOf(Tile(RecycleBinSlot)));
    ASSERT_TRUE(WaitUntil([&] { return !watcher.Titles().empty(); }, 5s));
    EXPECT_EQ(watcher.Titles(), std::vector<std::wstring>{L"メッセージ"});
    EXPECT_TRUE(NothingShown());
    EXPECT_TRUE(RecordedRuns(records.Wide()).empty());
}

TEST_F(TileActions, FilesDroppedOnAProgramTileStartItOnceForEachFile) {
    const std::wstring first = MakeFile(L"予算 案.txt");
    const std::wstring second = MakeFile(L"b.txt");
    Scatter();
    const DragOutcome dropped = DropFilesAt(CentreOf(Tile(ProgramSlot)), {first, second});
    EXPECT_EQ(dropped.result, DRAGDROP_S_DROP);

    ASSERT_TRUE(WaitUntil([&] { return RecordedRuns(records.Wide()).size() == 2; }, 10s))
        << RecordedRuns(records.Wide()).size() << " runs";
    auto runs = RecordedRuns(records.Wide());
    std::sort(runs.begin(), runs.end());
    std::vector<std::vector<std::string>> expected{{win32::ToUtf8(first)}, {win32::ToUtf8(second)}};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(runs, expected);
    // The launch hid the overlay; the next tick finds it inactive and clears.
    EXPECT_TRUE(WaitUntil([&] { return NothingShown(); }, 3s));
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
        dragEndedWhileAsking = WaitUntil([&] { return dragEnded.load(); }, 4s);
    });
    const DragOutcome dropped = DropFilesAt(CentreOf(Tile(RecycleBinSlot)), {file});
    dragEnded = true;
    EXPECT_EQ(dropped.result, DRAGDROP_S_DROP);
    EXPECT_EQ(dropped.effect, static_cast<DWORD>(DROPEFFECT_COPY)) << "a source that may move must keep its file";
    EXPECT_TRUE(WaitUntil([&] { return GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES; }, 10s));
    EXPECT_EQ(watcher.Titles().size(), 1u) << "the shell's own confirmation";
    EXPECT_TRUE(dragEndedWhileAsking) << "the drag source waited for the confirmation";
    EXPECT_TRUE(NothingShown());
}

TEST_F(TileActions, TextDroppedOnATileChangesNothing) {
    Scatter();
    DropTextAt(CentreOf(Tile(ProgramSlot)), L"ただの文字");
    Sleep(500);
    EXPECT_TRUE(IsShown(Tile(ProgramSlot)));
    EXPECT_TRUE(RecordedRuns(records.Wide()).empty());
}

}  // namespace
}  // namespace yomorina::e2e
