// The list file through the real file system and code page: texts at the edges
// of what the file can hold, and folders where a save cannot succeed.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/ListFile.h"
#include "platform/win32/files/CodePage932.h"
#include "platform/win32/files/FileStore.h"
#include "tests/e2e/Harness.h"
#include "tests/platform/TempFolder.h"
#include "tests/support/Fakes.h"

namespace yomorina {
namespace {

using testing::FakeExecutableFolder;
using testing::TempFolder;

class ListFileOnTheSystem : public ::testing::Test {
protected:
    win32::FileStore store;
    win32::CodePage932 codePage;
    FakeExecutableFolder executableFolder;
    ListFile listFile{store, codePage, executableFolder};

    std::string Saved() const { return store.ReadAll(listFile.Path()).value_or("<unreadable>"); }
    Model Reloaded() {
        Model reread;
        EXPECT_FALSE(listFile.Load(reread).has_value());
        return reread;
    }
};

TEST_F(ListFileOnTheSystem, LongPathsAndEveryCodePage932ClassSurviveASaveAndAForeignLetterTurnsItToUtf8) {
    TempFolder folder;
    executableFolder.path = folder.Utf8();
    Model model;
    model.Settings = {120, 4, 2, 3};
    model.List[0] = {"Notepad ~!#$%&'()=-^@[]{};+,.", "C:\\Program Files\\Tool\\tool.exe"};
    model.List[1] = {"ﾒﾓﾁｮｳ ｱｲｳｴｵ｡｢｣､･ｰﾞﾟ", "C:\\ﾊﾝｶｸ\\ｶﾀｶﾅ.exe"};
    model.List[2] = {"漢字かなカナ ＡＢＣ ０１２ ★〒※ αβγ АБВ", "C:\\表計算\\ソフト\\能力.exe"};
    model.List[3] = {"①⑳ⅠⅩ㍉㌔㈱㈲㍻∮∑", "C:\\機種依存\\№℡.txt"};
    model.List[4] = {"ⅰⅹ￢￤＇＂纊褜鍈銈蓜", "C:\\拡張\\髙﨑.txt"};
    // 259 characters: the longest path Windows opens without the long-path form.
    const std::string p259 = "C:\\" + std::string(252, 'a') + ".exe";
    ASSERT_EQ(p259.size(), 259u);
    model.List[5] = {"長い", p259};
    std::wstring p1000 = L"C:";
    while (p1000.size() < 990) p1000 += L"\\フォルダ";
    p1000.append(1000 - p1000.size(), L'b');
    model.List[6] = {std::string(300, 'n'), win32::ToUtf8(p1000)};
    model.List[29] = {"ゴミ箱", "ゴミ箱"};

    ASSERT_FALSE(listFile.Save(model).has_value());
    const std::string bytes = Saved();
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF") << "every text has a code page 932 form";
    EXPECT_EQ(bytes.find('?'), std::string::npos);
    Model reread = Reloaded();
    EXPECT_EQ(reread.Settings, model.Settings);
    for (int slot = 0; slot < LaunchSlotCount; ++slot) EXPECT_EQ(reread.List[slot], model.List[slot]) << slot;

    model.List[7] = {"한국어", "C:\\Ελληνικά\\😀.exe"};
    ASSERT_FALSE(listFile.Save(model).has_value());
    EXPECT_EQ(Saved().substr(0, 3), "\xEF\xBB\xBF");
    reread = Reloaded();
    for (int slot = 0; slot < LaunchSlotCount; ++slot) EXPECT_EQ(reread.List[slot], model.List[slot]) << slot;
}

// Folders made by scripts/fault-folders.sh before the platform tests run.
std::string FaultFolder(const char* name) {
    char base[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("YOMORINA_FAULT_FOLDERS", base, MAX_PATH)) return {};
    return win32::ToUtf8(e2e::WindowsPath(std::string(base) + "/" + name));
}

Model ModelWithEntries() {
    Model model;
    model.Settings = {100, 5, 1, 0};
    for (int slot = 0; slot < LaunchSlotCount; ++slot) {
        model.List[slot] = {"項目" + std::to_string(slot), "C:\\ツール\\" + std::string(100, 'x') + ".exe"};
    }
    return model;
}

TEST_F(ListFileOnTheSystem, SavingIntoAReadOnlyFolderFailsAndLeavesTheOldFileWhole) {
    executableFolder.path = FaultFolder("read-only");
    if (executableFolder.path.empty() || !store.Exists(listFile.Path())) {
        GTEST_SKIP() << "no read-only folder: scripts/fault-folders.sh mounts one when run as root";
    }
    const std::string before = Saved();
    const auto failure = listFile.Save(ModelWithEntries());
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->find("保存できませんでした"), std::string::npos) << *failure;
    EXPECT_EQ(Saved(), before);
    EXPECT_FALSE(store.Exists(listFile.Path() + ".saving"));
}

TEST_F(ListFileOnTheSystem, SavingOntoAFullDiskFailsAndLeavesTheOldFileWhole) {
    executableFolder.path = FaultFolder("full");
    ULARGE_INTEGER total{};
    const std::wstring folder = win32::ToWide(executableFolder.path);
    if (executableFolder.path.empty() || !GetDiskFreeSpaceExW(folder.c_str(), nullptr, &total, nullptr) ||
        total.QuadPart > 1024 * 1024) {
        GTEST_SKIP() << "no small disk to fill: scripts/fault-folders.sh mounts one when run as root";
    }
    const std::wstring filler = folder + L"\\filler";
    DeleteFileW(filler.c_str());
    DeleteFileW(win32::ToWide(listFile.Path()).c_str());

    Model model;
    ASSERT_FALSE(listFile.Load(model).has_value()) << "the default file fits";
    const std::string before = Saved();
    {
        win32::UniqueFileHandle fill(
            CreateFileW(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(fill);
        const std::string block(4096, 'f');
        DWORD written = 0;
        int blocks = 0;
        while (blocks < 64 && WriteFile(fill.get(), block.data(), 4096, &written, nullptr) && written == 4096) ++blocks;
        ASSERT_LT(blocks, 64) << "the disk never filled";
    }

    const auto failure = listFile.Save(ModelWithEntries());
    DeleteFileW(filler.c_str());
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->find("(112)"), std::string::npos) << "not the disk-full error: " << *failure;
    EXPECT_EQ(Saved(), before);
    EXPECT_FALSE(store.Exists(listFile.Path() + ".saving"));
}

}  // namespace
}  // namespace yomorina
