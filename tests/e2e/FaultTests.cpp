// The real program when its files change under it: entries that vanish or turn
// into folders while it runs, paths at and far past the usual length limit,
// a list file edited by hand.

#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/base/Handles.h"
#include "platform/win32/base/WideText.h"
#include "tests/e2e/Harness.h"
#include "tests/platform/RecordedArguments.h"

namespace yomorina::e2e {
namespace {

using namespace std::chrono_literals;
using testing::RecordedRuns;

constexpr int VanishingSlot = 0;
constexpr int TurnsIntoFolderSlot = 1;
constexpr int Path259Slot = 2;
constexpr int Path1000Slot = 3;

// A copy of the recording program at a path of exactly `length` characters,
// made through the long-path form, removed again afterwards.
class RecorderAtLength {
public:
    RecorderAtLength(const std::wstring& base, std::size_t length) : path_(base) {
        const std::wstring file = L"\\r.exe";
        std::size_t remaining = length - base.size() - file.size();
        while (remaining > 0) {
            // Each folder takes a backslash and at least one letter; never leave room for a backslash alone.
            std::size_t letters = std::min<std::size_t>(remaining - 1, 120);
            if (remaining - 1 - letters == 1) --letters;
            path_ += L"\\" + std::wstring(letters, L'd');
            remaining -= letters + 1;
            CreateDirectoryW(Long(path_).c_str(), nullptr);
            folders_.push_back(path_);
        }
        path_ += file;
        CopyFileW(testing::RecordArgumentsExe().c_str(), Long(path_).c_str(), FALSE);
    }
    ~RecorderAtLength() {
        DeleteFileW(Long(path_).c_str());
        for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder) {
            RemoveDirectoryW(Long(*folder).c_str());
        }
    }
    const std::wstring& Path() const { return path_; }

private:
    static std::wstring Long(const std::wstring& path) { return L"\\\\?\\" + path; }
    std::wstring path_;
    std::vector<std::wstring> folders_;
};

// What a tile shows for this path: the shell's icon for it, as a file window
// shows it, on the window colour. Not drawn by the program's own code, so that
// a fault there cannot make the expectation alike.
std::vector<Rgb> ExpectedTilePixels(const std::wstring& path) {
    std::vector<Rgb> pixels;
    SHFILEINFOW info{};
    SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_LARGEICON);
    const win32::UniqueIcon icon(info.hIcon);
    win32::WindowDc screen(nullptr);
    win32::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    win32::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 32, 32));
    win32::SelectedObject selected(dc.get(), bitmap.get());
    const RECT all{0, 0, 32, 32};
    FillRect(dc.get(), &all, GetSysColorBrush(COLOR_WINDOW));
    DrawIconEx(dc.get(), 0, 0, icon.get(), 32, 32, 0, nullptr, DI_NORMAL);
    // Within the edge, where the first tile out draws the keyboard's focus rectangle.
    for (int y = 1; y < 31; ++y) {
        for (int x = 1; x < 31; ++x) {
            const COLORREF c = GetPixel(dc.get(), x, y);
            pixels.push_back({GetRValue(c), GetGValue(c), GetBValue(c)});
        }
    }
    return pixels;
}

class Faults : public ::testing::Test, protected Overlay {
protected:
    ProgramUnderTest app{L"faults"};
    testing::TempFolder records{L"records"};

    void StartWith(const std::vector<std::wstring>& paths) {
        SetEnvironmentVariableW(L"YOMORINA_RECORD_FOLDER", records.Wide().c_str());
        std::vector<LaunchEntry> entries;
        for (const auto& path : paths) entries.push_back({"entry" + std::to_string(entries.size()), win32::ToUtf8(path)});
        app.WriteListFile(QuickScatter, entries);
        main = app.StartResident();
        ASSERT_NE(main, nullptr);
    }
    void TearDown() override { SetEnvironmentVariableW(L"YOMORINA_RECORD_FOLDER", nullptr); }

    // Shakes until the tile of slot `turns - 1` is out, or all those slots have had their turn.
    void ScatterThrough(int turns) {
        Hand hand;
        ASSERT_TRUE(hand.RestAtStart(main));
        // The lead-in, one tick a slot, and another whole lead-in and more to spare: a tick that
        // comes before the loaded hand has moved starts the lead-in again.
        hand.ShakeUntil([&] { return IsShown(Tile(turns - 1)); }, main, turns + 12);
        // Still: no further tick moves a tile.
        ASSERT_TRUE(RestPointerAt(main, hand.At()));
    }
};

TEST_F(Faults, EntriesChangedWhileRunningAndVeryLongPathsLeaveTheScatterWorking) {
    const std::wstring vanishing = app.Folder().Child(L"vanishes.txt");
    const std::wstring changing = app.Folder().Child(L"becomes-folder.txt");
    app.WriteFile(L"vanishes.txt", "x");
    app.WriteFile(L"becomes-folder.txt", "x");
    const RecorderAtLength recorder259(app.Folder().Wide(), 259);
    const RecorderAtLength recorder1000(app.Folder().Wide(), 1000);
    const std::wstring& path259 = recorder259.Path();
    const std::wstring& path1000 = recorder1000.Path();
    ASSERT_EQ(path259.size(), 259u);
    ASSERT_EQ(path1000.size(), 1000u);
    const std::vector<Rgb> documentIcon = ExpectedTilePixels(changing);
    StartWith({vanishing, changing, path259, path1000});

    ASSERT_TRUE(DeleteFileW(vanishing.c_str()));
    ASSERT_TRUE(DeleteFileW(changing.c_str()));
    ASSERT_TRUE(CreateDirectoryW(changing.c_str(), nullptr));
    ScatterThrough(4);
    ASSERT_TRUE(IsWindowVisible(Window())) << "no scatter";
    SaveScreenshot("faults-changed-entries");
    EXPECT_FALSE(IsShown(Tile(VanishingSlot))) << "a vanished entry still got a tile";
    ASSERT_TRUE(IsShown(Tile(TurnsIntoFolderSlot)));
    const std::vector<Rgb> folderIcon = ExpectedTilePixels(changing);
    EXPECT_NE(folderIcon, documentIcon) << "the shell gives folders and documents the same icon here";
    RECT tile = RectOf(Tile(TurnsIntoFolderSlot));
    InflateRect(&tile, -1, -1);
    EXPECT_EQ(CapturePixels(tile), folderIcon)
        << "the tile does not show the folder's icon";

    // At 259 characters the program is found and started; far past it, it may
    // or may not be found, but a click never takes the program down.
    ASSERT_TRUE(IsShown(Tile(Path259Slot)));
    const bool longShown = IsShown(Tile(Path1000Slot));
    ClickAt(CentreOf(Tile(Path259Slot)));
    EXPECT_TRUE(WaitUntil([&] { return RecordedRuns(records.Wide()).size() == 1; }, 10s))
        << "the program at 259 characters did not start";
    if (longShown) {
        WaitUntil([&] { return !IsWindowVisible(Window()); }, 10s);
        ScatterThrough(4);
        ASSERT_TRUE(IsShown(Tile(Path1000Slot)));
        ClickAt(CentreOf(Tile(Path1000Slot)));
        // Whatever the shell makes of it, a message box at most: answer it.
        const HWND box = WaitForWindowOf(app.Running().Id(), IsDialog, 2s);
        if (box) PostMessageW(box, WM_CLOSE, 0, 0);
    }
    DWORD_PTR ignored = 0;
    EXPECT_NE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &ignored), 0)
        << "the program no longer answers";
    EXPECT_TRUE(app.Running().IsRunning());
}

// Beside the program, and through a link into a synced folder, edited there.
TEST_F(Faults, AListFileEditedByHandWhileRunningIsUsedByTheNextScatter) {
    app.WriteFile(L"before.txt", "x");
    app.WriteFile(L"after.txt", "x");
    for (const std::wstring edited : {L"filelist.txt", L"sync\\filelist.txt"}) {
        if (edited != L"filelist.txt") {
            ASSERT_TRUE(DeleteFileW(app.Folder().Child(L"filelist.txt").c_str()));
            ASSERT_TRUE(CreateDirectoryW(app.Folder().Child(L"sync").c_str(), nullptr));
            app.WriteFile(edited, "");
            if (!app.Folder().MadeUnixLink(L"sync/filelist.txt", L"filelist.txt")) GTEST_SKIP() << "no Unix ln";
        }
        StartWith({app.Folder().Child(L"before.txt")});
        // As Notepad saves it: rewritten in place, UTF-8 without a mark.
        std::string edit = " 20 \r\n 3 \r\n 1 \r\n手で\r\n" + win32::ToUtf8(app.Folder().Child(L"after.txt")) + "\r\n";
        for (int line = 6; line < 64; ++line) edit += "\r\n";
        app.WriteFile(edited, edit + " 0 \r\n");
        ScatterThrough(1);
        ASSERT_TRUE(IsShown(Tile(0)));
        EXPECT_EQ(TextOf(Caption(0)), L"手で");
        EXPECT_TRUE(app.Close());
    }
}

}  // namespace
}  // namespace yomorina::e2e
