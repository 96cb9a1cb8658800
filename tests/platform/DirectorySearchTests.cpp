#include "platform/win32/files/DirectorySearch.h"

#include <gtest/gtest.h>

#include <ole2.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <memory>

#include "platform/Dimensions.h"
#include "platform/win32/files/EntryLookup.h"
#include "platform/win32/files/TargetIcon.h"
#include "tests/e2e/Harness.h"
#include "tests/platform/TempFolder.h"

namespace yomorina {
namespace {

using testing::TempFolder;

void Touch(const std::wstring& path) { std::ofstream(path.c_str()) << "x"; }

TEST(DirectorySearch, FindsPlainFilesAndFoldersButNotHiddenOrSystemOnes) {
    TempFolder folder(L"検索");
    win32::DirectorySearch search;
    Touch(folder.Child(L"表.txt"));
    CreateDirectoryW(folder.Child(L"フォルダ").c_str(), nullptr);
    Touch(folder.Child(L"hidden.txt"));
    SetFileAttributesW(folder.Child(L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    Touch(folder.Child(L"system.txt"));
    SetFileAttributesW(folder.Child(L"system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);

    EXPECT_TRUE(search.FindsEntry(folder.ChildUtf8(L"表.txt")));
    EXPECT_TRUE(search.FindsEntry(folder.ChildUtf8(L"フォルダ")));
    EXPECT_FALSE(search.FindsEntry(folder.ChildUtf8(L"hidden.txt")));
    EXPECT_FALSE(search.FindsEntry(folder.ChildUtf8(L"system.txt")));
    EXPECT_FALSE(search.FindsEntry(folder.ChildUtf8(L"gone.exe")));
    EXPECT_FALSE(search.FindsEntry(""));
    // A pattern matches when any plain entry does.
    EXPECT_TRUE(search.FindsEntry(folder.ChildUtf8(L"*.txt")));
    EXPECT_FALSE(search.FindsEntry(folder.ChildUtf8(L"sys*.txt")));
    // A trailing backslash asks for a folder: roots and folders pass; a file, a missing
    // or a hidden folder does not.
    EXPECT_TRUE(search.FindsEntry("C:\\"));
    EXPECT_TRUE(search.FindsEntry(folder.ChildUtf8(L"フォルダ\\")));
    EXPECT_FALSE(search.FindsEntry(folder.ChildUtf8(L"表.txt\\")));
    EXPECT_FALSE(search.FindsEntry(folder.ChildUtf8(L"gone\\")));
    CreateDirectoryW(folder.Child(L"hidden").c_str(), nullptr);
    SetFileAttributesW(folder.Child(L"hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(search.FindsEntry(folder.ChildUtf8(L"hidden\\")));
}

// A share that does not answer, imitated: its search blocks until the test lets it answer.
struct SlowShare {
    win32::UniqueKernelHandle answer{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<int> asked{0};
};

TEST(EntryLookup, AShareThatDoesNotAnswerHoldsUpNeitherTheCallerNorTheOtherEntries) {
    using namespace std::chrono_literals;
    TempFolder folder;
    Touch(folder.Child(L"メモ.txt"));
    // More entries on the share than the lookup has lanes: each lane gets stuck in turn.
    const std::string share = folder.ChildUtf8(L"眠る共有\\");
    std::vector<std::string> asleep;
    for (int i = 0; i < 8; ++i) asleep.push_back(share + "prog" + std::to_string(i) + ".exe");
    const std::string& slow = asleep[0];
    const std::string memo = folder.ChildUtf8(L"メモ.txt");
    const std::string gone = folder.ChildUtf8(L"gone.exe");
    auto sleeping = std::make_shared<SlowShare>();
    auto lookup = std::make_unique<win32::EntryLookup>(
        [sleeping, share](std::string_view path) {
            if (!path.starts_with(share)) return win32::DirectorySearch().FindsEntry(path);
            ++sleeping->asked;
            return WaitForSingleObject(sleeping->answer.get(), 20000) == WAIT_OBJECT_0;
        },
        [](std::string_view path, int side) { return win32::TargetIcon(path, side); });
    const auto answered = [&](const std::string& path) { return lookup->Answer(path) != EntryAnswer::NotYetKnown; };

    std::vector<std::string> paths = asleep;
    paths.insert(paths.end(), {memo, gone});
    lookup->Begin(paths, TileSide);
    ASSERT_TRUE(e2e::WaitUntil([&] { return answered(memo) && answered(gone); }, 10s));
    EXPECT_FALSE(answered(slow));
    EXPECT_EQ(lookup->Answer(memo), EntryAnswer::Found);
    EXPECT_TRUE(lookup->IconOf(memo));
    EXPECT_EQ(lookup->Answer(gone), EntryAnswer::Missing);
    EXPECT_FALSE(lookup->IconOf(gone));

    // A new lead-in while the share still hangs asks it nothing more; one after it answered does.
    ASSERT_TRUE(e2e::WaitUntil([&] { return sleeping->asked == 8; }, 10s));
    lookup->Begin(paths, TileSide);
    SetEvent(sleeping->answer.get());
    ASSERT_TRUE(e2e::WaitUntil([&] { return std::all_of(asleep.begin(), asleep.end(), answered); }, 10s));
    ResetEvent(sleeping->answer.get());
    const auto leadIn = [&] { lookup->Begin({slow}, TileSide); };
    ASSERT_EQ(e2e::NotUntilProvoked([&] { return sleeping->asked != 8; }, 2s, leadIn), "");

    // Past its keeping, a Begin forgets the paths not asked again, but not one
    // asked again or still being looked up (the share, with its earlier answer).
    std::vector<std::string> many;
    for (int i = 0; i < 64; ++i) many.push_back(folder.ChildUtf8(L"無い" + std::to_wstring(i) + L".exe"));
    lookup->Begin(many, TileSide);
    ASSERT_TRUE(e2e::WaitUntil([&] { return std::all_of(many.begin(), many.end(), answered); }, 10s));
    lookup->Begin({memo}, TileSide);
    EXPECT_EQ(lookup->Answer(memo), EntryAnswer::Found);
    EXPECT_EQ(lookup->Answer(slow), EntryAnswer::Found);
    EXPECT_EQ(lookup->Answer(gone), EntryAnswer::NotYetKnown);
    EXPECT_EQ(lookup->Answer(many[63]), EntryAnswer::NotYetKnown);

    // The lookup goes while the share still holds a lane: its late answer
    // finds what it needs and lets go of it.
    lookup.reset();
    SetEvent(sleeping->answer.get());
    EXPECT_TRUE(e2e::WaitUntil([&] { return sleeping.use_count() == 1; }, 10s));
}

class TargetIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The program runs with OLE started for drag and drop; the shell's icons need it.
        OleInitialize(nullptr);
        screen_ = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen_);
        bitmap_ = CreateCompatibleBitmap(screen_, 32, 32);
        old_ = SelectObject(dc_, bitmap_);
    }
    void TearDown() override {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
        ReleaseDC(nullptr, screen_);
        OleUninitialize();
    }
    // How many pixels differ from the background after drawing: inside the
    // top-left square of that many pixels, and (into outside) beyond it.
    int DrawnPixels(const std::string& path, bool* drew, int side = 0, int within = 32, int* outside = nullptr) {
        RECT all{0, 0, 32, 32};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        *drew = win32::DrawTargetIcon(dc_, path, side);
        int changed = 0;
        if (outside) *outside = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const bool differs = GetPixel(dc_, x, y) != RGB(255, 255, 255);
                if (x < within && y < within) {
                    changed += differs;
                } else if (outside) {
                    *outside += differs;
                }
            }
        }
        return changed;
    }

    HDC screen_ = nullptr;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

TEST_F(TargetIconTest, ProgramsDocumentsAndFoldersGetAnIconAndMissingPathsNone) {
    TempFolder folder;
    Touch(folder.Child(L"メモ.txt"));
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const std::string notepad = win32::ToUtf8(std::wstring(system) + L"\\notepad.exe");

    bool drew = false;
    EXPECT_EQ(DrawnPixels(folder.ChildUtf8(L"gone.exe"), &drew), 0);
    EXPECT_FALSE(drew);
    // At its full size, and at a tile's own: every kind of icon fits it, none is cut off.
    for (const std::string& path : {notepad, folder.ChildUtf8(L"メモ.txt"), folder.Utf8()}) {
        EXPECT_GT(DrawnPixels(path, &drew), 50) << path;
        EXPECT_TRUE(drew) << path;
        int outside = -1;
        EXPECT_GT(DrawnPixels(path, &drew, 16, 16, &outside), 20) << path;
        EXPECT_EQ(outside, 0) << path;
    }
}

}  // namespace
}  // namespace yomorina
