#include "platform/win32/Win32FileStore.h"

#include <gtest/gtest.h>

#include "tests/platform/TempFolder.h"

namespace yomorina {
namespace {

using testing::TempFolder;

std::string ReadBack(const std::wstring& path) {
    win32::Win32FileStore store;
    return store.ReadAll(win32::ToUtf8(path)).value_or("<unreadable>");
}

TEST(Win32FileStore, ReplacesTheWholeFileAndLeavesNoTemporaryBehind) {
    TempFolder folder(L"ヨモリナ 表");
    win32::Win32FileStore store;
    const std::string path = folder.ChildUtf8(L"filelist.txt");

    EXPECT_FALSE(store.Exists(path));
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

TEST(Win32FileStore, AFailedSaveKeepsTheOldFileWholeAndSaysWhy) {
    TempFolder folder;
    win32::Win32FileStore store;
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

}  // namespace
}  // namespace yomorina
