// The list file through the real file system and code page: texts at the edges
// of what the file can hold, and folders where a save cannot succeed.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <tuple>
#include <utility>

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

// Stands for a process ending right after the step: the step is done, nothing after it.
struct ProcessEnded {};
constexpr DWORD EndsAfterwards = ~DWORD{0};

// The real calls, but the step named `step` fails its first `tries` tries as
// Windows leaves it; `lead` fails once before, to reach a step a plain save does not.
class FaultySaveCalls final : public win32::SaveCalls {
public:
    std::string_view step;
    DWORD failure = 0;
    int tries = 0;
    std::pair<std::string_view, DWORD> lead;

    DWORD ClearAttributes(const std::wstring& path) override { return real_.ClearAttributes(path); }
    DWORD CreateTemporary(const std::wstring& path, win32::UniqueFileHandle& file) override {
        // Asked for a plain file, Windows refuses to write over a hidden or system one; Wine does not.
        const DWORD there = GetFileAttributesW(path.c_str());
        if (there != INVALID_FILE_ATTRIBUTES && (there & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
            return ERROR_ACCESS_DENIED;
        }
        return At("create", [&] { return real_.CreateTemporary(path, file); });
    }
    DWORD Write(HANDLE file, std::string_view bytes) override {
        // Half written, as a full disk leaves it.
        return At("write", [&] { return real_.Write(file, bytes); },
                  [&](DWORD) { real_.Write(file, bytes.substr(0, bytes.size() / 2)); });
    }
    DWORD Flush(HANDLE file) override { return At("flush", [&] { return real_.Flush(file); }); }
    DWORD CopyAttributes(const std::wstring& path, DWORD attributes) override {
        return At("copy attributes", [&] { return real_.CopyAttributes(path, attributes); });
    }
    DWORD Replace(const std::wstring& target, const std::wstring& replacement) override {
        return At("replace", [&] { return real_.Replace(target, replacement); }, [&](DWORD error) {
            // Without a backup name Windows has deleted the old file (1176) or
            // renamed it out of the way (1177); the new one keeps its temporary name.
            if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT) DeleteFileW(target.c_str());
            if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) MoveFileW(target.c_str(), (target + L".rf1").c_str());
        });
    }
    DWORD Move(const std::wstring& from, const std::wstring& to) override {
        return At("move", [&] { return real_.Move(from, to); });
    }
    DWORD Delete(const std::wstring& path) override { return At("delete", [&] { return real_.Delete(path); }); }
    void Pause() override {}

private:
    DWORD At(std::string_view at, const std::function<DWORD()>& call,
             const std::function<void(DWORD)>& asWindowsLeavesIt = [](DWORD) {}) {
        DWORD error = 0;
        if (at == lead.first && lead.second != 0) {
            error = std::exchange(lead.second, 0);
        } else if (at == step && tries > 0) {
            --tries;
            error = failure;
        } else {
            return call();
        }
        if (error == EndsAfterwards) {
            call();
            throw ProcessEnded{};
        }
        asWindowsLeavesIt(error);
        return error;
    }

    win32::SystemSaveCalls real_;
};

TEST_F(ListFileOnTheSystem, EveryFailureOfEveryStepOfASaveLeavesTheOldListOrTheNewOneForTheNextStart) {
    const std::string_view steps[] = {"create", "write", "flush", "copy attributes", "replace", "move", "delete"};
    const DWORD failures[] = {ERROR_SHARING_VIOLATION,         ERROR_ACCESS_DENIED, ERROR_DISK_FULL,
                              ERROR_UNABLE_TO_MOVE_REPLACEMENT, ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, EndsAfterwards};
    Model model = ModelWithEntries();
    const std::string newList = EncodeListFile(model.Settings, model.List, codePage);
    model.List[4] = {"古い", "C:\\old.exe"};
    const std::string oldList = EncodeListFile(model.Settings, model.List, codePage);
    int saves = 0;
    int lost = 0;
    for (const auto step : steps) {
        const bool swapping = step == "replace" || step == "move";
        for (const DWORD failure : failures) {
            const bool cutShort = failure == ERROR_UNABLE_TO_MOVE_REPLACEMENT || failure == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
            if (cutShort && !swapping) continue;
            for (const int tries : {1000, 1}) {
                SCOPED_TRACE(std::string(step) + ", error " + std::to_string(failure) + ", tries " + std::to_string(tries));
                TempFolder folder;
                executableFolder.path = folder.Utf8();
                ASSERT_TRUE(store.ReplaceWhole(listFile.Path(), oldList).Succeeded);
                FaultySaveCalls calls;
                calls.step = step;
                calls.failure = failure;
                calls.tries = tries;
                if (step == "move") calls.lead = {"replace", ERROR_UNABLE_TO_MOVE_REPLACEMENT};
                if (step == "delete") calls.lead = {"write", ERROR_DISK_FULL};
                win32::FileStore faultyStore(calls);
                std::optional<bool> succeeded;  // none when the process ended
                try {
                    succeeded = !ListFile(faultyStore, codePage, executableFolder).Save(ModelWithEntries()).has_value();
                } catch (const ProcessEnded&) {
                }
                ++saves;

                Model nextStart;
                const auto notice = listFile.Load(nextStart);
                const std::string onDisk = Saved();
                lost += onDisk != oldList && onDisk != newList;
                // Taken back from the temporary, and said so, only after a swap cut short.
                const bool takenBack = notice && notice->title == "メッセージ" && onDisk == newList;
                EXPECT_TRUE(!notice || (takenBack && step == "move")) << notice->text;
                EXPECT_FALSE(store.Exists(listFile.Path() + ".saving")) << "to come back one day";
                EXPECT_TRUE(succeeded != true || onDisk == newList);
                EXPECT_TRUE(succeeded != false || onDisk == oldList || takenBack);
                // What another program does for a moment is waited out, and a swap cut short is finished.
                const bool passing = failure == ERROR_SHARING_VIOLATION || failure == ERROR_ACCESS_DENIED;
                if ((swapping && passing && tries == 1) || (step == "replace" && cutShort)) {
                    EXPECT_EQ(succeeded, true);
                }
            }
        }
    }
    std::printf("%zu steps x %zu failures: %d saves, %d lists lost\n", std::size(steps), std::size(failures), saves,
                lost);
    EXPECT_EQ(saves, 64);
    EXPECT_EQ(lost, 0);
}

// The temporary of a save that ended once it had the list's hidden and system bits.
TEST_F(ListFileOnTheSystem, WhatASaveLeftBehindBlocksNoLaterSave) {
    TempFolder folder;
    executableFolder.path = folder.Utf8();
    ASSERT_FALSE(listFile.Save(Model{}).has_value());
    SetFileAttributesW(win32::ToWide(listFile.Path()).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    FaultySaveCalls calls;
    std::tie(calls.step, calls.failure, calls.tries) = std::tuple("copy attributes", EndsAfterwards, 1);
    win32::FileStore faultyStore(calls);
    ListFile faultyList(faultyStore, codePage, executableFolder);
    EXPECT_THROW(faultyList.Save(Model{}), ProcessEnded);
    EXPECT_FALSE(faultyList.Save(Model{}).has_value());
}

}  // namespace
}  // namespace yomorina
