#include "platform/win32/files/FileStore.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <thread>

#include "platform/win32/base/Handles.h"
#include "platform/win32/files/FolderChangeWatch.h"
#include "tests/e2e/Harness.h"
#include "tests/platform/TempFolder.h"

namespace yomorina {
namespace {

using testing::TempFolder;

std::string ReadBack(const std::wstring& path) {
    win32::FileStore store;
    return store.ReadAll(win32::ToUtf8(path)).value_or("<unreadable>");
}

TEST(FileStore, ReplacesTheWholeFileAndLeavesNoTemporaryBehind) {
    TempFolder folder(L"ヨモリナ 表");
    win32::FileStore store;
    const std::string path = folder.ChildUtf8(L"filelist.txt");

    EXPECT_FALSE(store.Exists(path));
    // Only a file known to be missing may be created over: one the system will not look at stays.
    const std::wstring unnamable = folder.Child(L"file|list.txt");
    EXPECT_EQ(GetFileAttributesW(unnamable.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
    EXPECT_TRUE(store.Exists(win32::ToUtf8(unnamable)));
    EXPECT_FALSE(store.ReadAll(path).has_value());
    ASSERT_TRUE(store.ReplaceWhole(path, std::string("first\r\n\0binary", 15)).Succeeded);
    EXPECT_TRUE(store.Exists(path));
    EXPECT_EQ(store.ReadAll(path), std::string("first\r\n\0binary", 15));

    ASSERT_TRUE(store.ReplaceWhole(path, "second").Succeeded);
    EXPECT_EQ(store.ReadAll(path), "second");
    EXPECT_EQ(GetFileAttributesW(folder.Child(L"filelist.txt.saving").c_str()), INVALID_FILE_ATTRIBUTES);

    ASSERT_TRUE(store.ReplaceWhole(path, "").Succeeded);
    EXPECT_EQ(store.ReadAll(path), "");
}

TEST(FileStore, AFailedSaveKeepsTheOldFileWholeAndSaysWhy) {
    TempFolder folder;
    win32::FileStore store;
    const std::wstring path = folder.Child(L"filelist.txt");
    ASSERT_TRUE(store.ReplaceWhole(win32::ToUtf8(path), "old contents").Succeeded);

    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const auto readOnly = store.ReplaceWhole(win32::ToUtf8(path), "new contents");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(readOnly.Succeeded);
    EXPECT_FALSE(readOnly.Failure.empty());
    EXPECT_EQ(ReadBack(path), "old contents");
    EXPECT_EQ(GetFileAttributesW((path + L".saving").c_str()), INVALID_FILE_ATTRIBUTES);

    // A folder that is not there (a removed drive, a deleted program folder).
    const auto noFolder = store.ReplaceWhole(folder.ChildUtf8(L"gone\\filelist.txt"), "x");
    EXPECT_FALSE(noFolder.Succeeded);
    EXPECT_NE(noFolder.Failure.find("(3)"), std::string::npos) << noFolder.Failure;

    // A folder standing where the file should be.
    ASSERT_TRUE(CreateDirectoryW(folder.Child(L"taken.txt").c_str(), nullptr));
    EXPECT_FALSE(store.ReplaceWhole(folder.ChildUtf8(L"taken.txt"), "x").Succeeded);
    EXPECT_NE(GetFileAttributesW(folder.Child(L"taken.txt").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

// Held open without sharing, as a sync or backup program holds it.
win32::UniqueFileHandle Hold(const std::wstring& path) {
    return win32::UniqueFileHandle(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

TEST(FileStore, AFileHeldWithoutSharingIsWaitedForAndReportedOnlyWhenTheHoldOutlastsThePatience) {
    TempFolder folder;
    win32::FileStore store;
    const std::wstring path = folder.Child(L"filelist.txt");
    const std::string name = win32::ToUtf8(path);
    EXPECT_TRUE(store.Read(name, std::chrono::milliseconds(0)).Missing);
    ASSERT_TRUE(store.ReplaceWhole(name, "old").Succeeded);
    auto held = Hold(path);
    ASSERT_TRUE(held);
    const auto read = store.Read(name, std::chrono::milliseconds(0));
    EXPECT_FALSE(read.Bytes.has_value() || read.Missing);
    EXPECT_NE(read.Failure.find("(32)"), std::string::npos) << read.Failure;
    EXPECT_NE(store.ReplaceWhole(name, "new").Failure.find("(32)"), std::string::npos);
    WIN32_FIND_DATAW found{};
    EXPECT_FALSE(win32::UniqueFindHandle(FindFirstFileW(folder.Child(L"rf*.tmp").c_str(), &found))) << "left beside";

    const auto letGoSoon = [](win32::UniqueFileHandle file) {
        return std::thread([file = std::move(file)]() mutable {
            Sleep(300);
            file.reset();
        });
    };
    std::thread atStart = letGoSoon(std::move(held));
    EXPECT_EQ(store.Read(name, std::chrono::milliseconds(5000)).Bytes, "old");
    atStart.join();
    std::thread atSave = letGoSoon(Hold(path));
    EXPECT_TRUE(store.ReplaceWhole(name, "new").Succeeded);
    atSave.join();
    EXPECT_EQ(ReadBack(path), "new");
}

TEST(FileStore, ASaveKeepsTheFilesAttributesAndALinkStaysALinkToTheSavedFile) {
    TempFolder folder;
    win32::FileStore store;
    const std::wstring path = folder.Child(L"filelist.txt");
    ASSERT_TRUE(store.ReplaceWhole(win32::ToUtf8(path), "old").Succeeded);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(store.ReplaceWhole(win32::ToUtf8(path), "new").Succeeded);
    EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);

    ASSERT_TRUE(CreateDirectoryW(folder.Child(L"sync").c_str(), nullptr));
    ASSERT_TRUE(store.ReplaceWhole(folder.ChildUtf8(L"sync\\filelist.txt"), "old").Succeeded);
    if (!folder.MadeUnixLink(L"sync/filelist.txt", L"linked.txt")) GTEST_SKIP() << "no Unix ln to make a link with";
    ASSERT_TRUE(store.ReplaceWhole(folder.ChildUtf8(L"linked.txt"), "through the link").Succeeded);
    EXPECT_EQ(ReadBack(folder.Child(L"sync\\filelist.txt")), "through the link") << "the link became a plain file";
}

// Each edit wakes the loop once: where the link leads, twice, and an attribute
// change alone (a cloud placeholder made readable).
TEST(FolderChangeWatch, EveryEditOfTheListWhereItLivesWakesTheMessageLoop) {
    TempFolder folder;
    win32::FileStore store;
    ASSERT_TRUE(CreateDirectoryW(folder.Child(L"sync").c_str(), nullptr));
    const std::wstring target = folder.Child(L"sync\\filelist.txt");
    ASSERT_TRUE(store.ReplaceWhole(win32::ToUtf8(target), "old").Succeeded);
    if (!folder.MadeUnixLink(L"sync/filelist.txt", L"filelist.txt")) GTEST_SKIP() << "no Unix ln to make a link with";
    win32::ListFileWatch watch(folder.ChildUtf8(L"filelist.txt"));
    const auto writeInPlace = [&] {
        // As an editor or a sync program saves.
        win32::UniqueFileHandle file(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        DWORD written = 0;
        return WriteFile(file.get(), "edit", 4, &written, nullptr) != FALSE;
    };
    const std::function<bool()> edits[] = {
        writeInPlace,
        writeInPlace,
        [&] { return SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN) != FALSE; },
    };
    // What one edit sends may come in parts, and late. The system hears of
    // changes in the order they are made: once a change made after the edit in
    // a new folder of its own is heard, every part of the edit is in, and taking
    // them leaves the watches quiet, so that the next edit is heard for itself.
    TempFolder marks{L"marks"};
    auto settled = [&, made = 0]() mutable {
        const std::wstring mark = marks.Child(std::to_wstring(++made));
        CreateDirectoryW(mark.c_str(), nullptr);
        win32::FolderChangeWatch heard(mark);
        store.ReplaceWhole(win32::ToUtf8(mark + L"\\mark"), "");
        if (WaitForSingleObject(heard.Signal(), 10000) != WAIT_OBJECT_0) return false;
        std::array<HANDLE, 2> signals{};
        std::array<win32::FolderChangeWatch*, 2> owners{};
        const DWORD count = static_cast<DWORD>(watch.Signals(signals, owners));
        for (int part = 0; part < 20; ++part) {
            const DWORD woken = WaitForMultipleObjects(count, signals.data(), FALSE, 0);
            if (woken >= WAIT_OBJECT_0 + count) return count == 2;
            owners[woken - WAIT_OBJECT_0]->Rearm();
        }
        return false;
    };
    int changes = 0;
    for (const auto& edit : edits) {
        const int before = changes;
        ASSERT_TRUE(settled()) << "both folders watched, and quiet once rearmed";
        ASSERT_TRUE(edit());
        // Ends the loop should the change never be heard of.
        const UINT_PTR guard = SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); });
        win32::RunMessageLoop(watch, [&] {
            ++changes;
            PostQuitMessage(0);
        }, [](MSG&) { return false; });
        KillTimer(nullptr, guard);
        EXPECT_EQ(changes, before + 1) << "edit " << before + 1;
    }

    // A watch the system could not set is set again from the thread pool.
    const std::wstring later = folder.Child(L"later");
    win32::FolderChangeWatch lost(later);
    EXPECT_EQ(lost.Signal(), nullptr);
    ASSERT_TRUE(CreateDirectoryW(later.c_str(), nullptr));
    lost.SetAgainIfLost(GetCurrentThreadId());
    EXPECT_TRUE(e2e::WaitUntil([&] { return lost.TakeWatchSetAgain(); }, std::chrono::seconds(10)));
    EXPECT_NE(lost.Signal(), nullptr);
}

}  // namespace
}  // namespace yomorina
