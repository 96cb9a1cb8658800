#include "platform/win32/desktop/StartupShortcut.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <ole2.h>

#include <cwctype>
#include <vector>

#include "core/Texts.h"
#include "platform/win32/base/WideText.h"
#include "tests/platform/RecordedArguments.h"
#include "tests/platform/ShortcutFiles.h"
#include "tests/platform/TempFolder.h"
#include "tests/support/Speaking.h"

namespace yomorina {
namespace {


using testing::ReadLinkFile;
using testing::SamePathText;
using testing::WriteLinkFile;

std::wstring ThisProgram() {
    wchar_t module[MAX_PATH];
    return std::wstring(module, GetModuleFileNameW(nullptr, module, MAX_PATH));
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Every test works in a folder of its own, never in the real Startup folder.
class StartupShortcutTest : public ::testing::Test {
protected:
    testing::TempFolder folder{L"スタートアップ"};
    win32::StartupShortcut shortcut{folder.Wide()};
    const std::wstring link = folder.Child(win32::ShortcutName(JapaneseTexts));

    void SetUp() override { OleInitialize(nullptr); }
    void TearDown() override { OleUninitialize(); }
};

TEST_F(StartupShortcutTest, TickingMakesYomorinaLnkStartingThisProgramInItsOwnFolderAndUntickingRemovesIt) {
    EXPECT_FALSE(shortcut.IsSet());
    EXPECT_EQ(win32::ShortcutName(JapaneseTexts), L"ヨモリナ.lnk");

    EXPECT_EQ(shortcut.Set(true), std::nullopt);
    const testing::LinkFile made = ReadLinkFile(link);
    ASSERT_TRUE(made.read) << "no shortcut at " << win32::ToUtf8(link);
    EXPECT_TRUE(SamePathText(made.target, ThisProgram())) << win32::ToUtf8(made.target);
    EXPECT_TRUE(SamePathText(made.workingFolder, testing::FolderOfThisProgram())) << win32::ToUtf8(made.workingFolder);
    EXPECT_TRUE(shortcut.IsSet());

    // Ticking again leaves one shortcut, still ours; unticking removes it, and with none there does nothing.
    EXPECT_EQ(shortcut.Set(true), std::nullopt);
    EXPECT_TRUE(shortcut.IsSet());
    for (int untick = 0; untick < 2; ++untick) EXPECT_EQ(shortcut.Set(false), std::nullopt) << untick;
    EXPECT_FALSE(Exists(link));
    EXPECT_FALSE(shortcut.IsSet());
}

// A user who changes language keeps the setting: the shortcut made under one
// language is ours under the other, pointed here again rather than joined by a
// second one, and removed.
TEST_F(StartupShortcutTest, AShortcutMadeInOneLanguageIsFoundRepointedAndRemovedInTheOther) {
    const std::pair<const TextTable*, const TextTable*> changes[] = {{&JapaneseTexts, &EnglishTexts},
                                                                     {&EnglishTexts, &JapaneseTexts}};
    for (const auto& [made, read] : changes) {
        const std::wstring madeLink = folder.Child(win32::ShortcutName(*made));
        {
            const testing::Speaking speaking(*made);
            ASSERT_EQ(shortcut.Set(true), std::nullopt);
        }
        const testing::Speaking speaking(*read);
        EXPECT_TRUE(shortcut.IsSet()) << win32::ToUtf8(madeLink);
        ASSERT_TRUE(WriteLinkFile(madeLink, folder.Child(L"古い場所\\yomorina.exe"), folder.Wide()));
        EXPECT_FALSE(shortcut.IsSet());

        EXPECT_EQ(shortcut.Set(true), std::nullopt);
        EXPECT_TRUE(SamePathText(ReadLinkFile(madeLink).target, ThisProgram()));
        EXPECT_FALSE(Exists(folder.Child(win32::ShortcutName(*read)))) << "a second shortcut";
        EXPECT_EQ(shortcut.Set(false), std::nullopt);
        EXPECT_FALSE(Exists(madeLink));
    }
}

// A copy of a program in a folder of the test's own, made and removed in the "\\?\" form that MAX_PATH does not bind.
class ProgramCopy {
public:
    ProgramCopy(const std::wstring& base, const std::vector<std::wstring>& folders) : path_(base) {
        for (const std::wstring& name : folders) {
            path_ += L"\\" + name;
            CreateDirectoryW((L"\\\\?\\" + path_).c_str(), nullptr);
            made_.push_back(path_);
        }
        path_ += L"\\ヨモリナ.exe";
        CopyFileW(testing::RecordArgumentsExe().c_str(), (L"\\\\?\\" + path_).c_str(), FALSE);
    }
    ~ProgramCopy() {
        DeleteFileW((L"\\\\?\\" + path_).c_str());
        for (auto folder = made_.rbegin(); folder != made_.rend(); ++folder) {
            RemoveDirectoryW((L"\\\\?\\" + *folder).c_str());
        }
    }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
    std::vector<std::wstring> made_;
};

TEST_F(StartupShortcutTest, AProgramInAJapaneseFolderOrPastMaxPathReadsTickedOnceSetAndUntickingRemovesIt) {
    const std::wstring deep(60, L'深');
    for (const auto& folders : {std::vector<std::wstring>{L"ツール 表ソ"}, std::vector<std::wstring>(5, deep)}) {
        const ProgramCopy program(folder.Wide(), folders);
        ASSERT_TRUE(Exists(L"\\\\?\\" + program.Path())) << win32::ToUtf8(program.Path());
        win32::StartupShortcut ours(folder.Wide(), program.Path());
        ASSERT_EQ(ours.Set(true), std::nullopt);
        EXPECT_TRUE(ours.IsSet()) << program.Path().size() << " characters";
        EXPECT_EQ(ours.Set(false), std::nullopt);
        EXPECT_FALSE(Exists(link));
    }
}

TEST_F(StartupShortcutTest, TheSameProgramWrittenInOtherCaseOrThroughDotDotStillCounts) {
    std::wstring program = ThisProgram();
    for (wchar_t& c : program) c = static_cast<wchar_t>(std::towupper(c));
    ASSERT_TRUE(WriteLinkFile(link, program, L"C:\\"));
    EXPECT_TRUE(shortcut.IsSet());

    const std::wstring folderName = testing::FolderOfThisProgram().substr(testing::FolderOfThisProgram().rfind(L'\\'));
    const std::wstring roundabout = testing::FolderOfThisProgram() + L"\\..\\" + folderName.substr(1) + L"\\.\\" +
                                    ThisProgram().substr(ThisProgram().rfind(L'\\') + 1);
    ASSERT_TRUE(WriteLinkFile(link, roundabout, L"C:\\"));
    EXPECT_TRUE(shortcut.IsSet());
}

TEST_F(StartupShortcutTest, AShortcutToAnotherCopyReadsUntickedStaysOnUntickAndTickingPointsItHere) {
    // An older copy that was moved away, and another program that took the name.
    for (const std::wstring& elsewhere : {folder.Child(L"古い場所\\yomorina.exe"), testing::RecordArgumentsExe()}) {
        ASSERT_TRUE(WriteLinkFile(link, elsewhere, folder.Wide()));
        EXPECT_FALSE(shortcut.IsSet()) << win32::ToUtf8(elsewhere);

        EXPECT_EQ(shortcut.Set(false), std::nullopt);
        const testing::LinkFile kept = ReadLinkFile(link);
        ASSERT_TRUE(kept.read) << "a shortcut that is not ours was removed";
        EXPECT_TRUE(SamePathText(kept.target, elsewhere)) << win32::ToUtf8(kept.target);

        EXPECT_EQ(shortcut.Set(true), std::nullopt);
        EXPECT_TRUE(SamePathText(ReadLinkFile(link).target, ThisProgram()));
        EXPECT_TRUE(shortcut.IsSet());
        ASSERT_TRUE(DeleteFileW(link.c_str()));
    }
}

TEST_F(StartupShortcutTest, AFileThatIsNoShortcutReadsUnticked) {
    ASSERT_TRUE(CopyFileW(ThisProgram().c_str(), link.c_str(), FALSE));
    EXPECT_FALSE(shortcut.IsSet());
}

TEST_F(StartupShortcutTest, AWriteThatFailsSaysWhereAndWhy) {
    // A folder standing where the shortcut should be.
    ASSERT_TRUE(CreateDirectoryW(link.c_str(), nullptr));
    EXPECT_FALSE(shortcut.IsSet());
    const auto failure = shortcut.Set(true);
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find(win32::ToUtf8(link)), std::string::npos) << *failure;
    EXPECT_EQ(shortcut.Set(false), std::nullopt) << "a folder of that name is not ours to remove";
    EXPECT_TRUE(Exists(link));

    win32::StartupShortcut missing(folder.Child(L"ない"));
    const auto missingFailure = missing.Set(true);
    ASSERT_TRUE(missingFailure);
    EXPECT_NE(missingFailure->find(win32::ToUtf8(folder.Child(L"ない"))), std::string::npos) << *missingFailure;
}

// Task Manager's switch is in the real registry: what the value held before is put back after.
class TaskManagerSwitchTest : public StartupShortcutTest {
protected:
    using Bytes = std::vector<BYTE>;
    static constexpr wchar_t Key[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";
    const std::wstring name = win32::ShortcutName(JapaneseTexts);
    const std::optional<Bytes> before = Value();

    void TearDown() override {
        before ? SetValue(*before) : void(RegDeleteKeyValueW(HKEY_CURRENT_USER, Key, name.c_str()));
        StartupShortcutTest::TearDown();
    }
    std::optional<Bytes> Value() const {
        Bytes value(64);
        DWORD size = static_cast<DWORD>(value.size());
        if (RegGetValueW(HKEY_CURRENT_USER, Key, name.c_str(), RRF_RT_REG_BINARY, nullptr, value.data(), &size)) {
            return std::nullopt;
        }
        value.resize(size);
        return value;
    }
    void SetValue(const Bytes& value) const {
        RegSetKeyValueW(HKEY_CURRENT_USER, Key, name.c_str(), REG_BINARY, value.data(), static_cast<DWORD>(value.size()));
    }
};

TEST_F(TaskManagerSwitchTest, SwitchedOffReadsUntickedAndTickingSwitchesItBackOnAsTaskManagerWould) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, Key, name.c_str());
    ASSERT_EQ(shortcut.Set(true), std::nullopt);
    EXPECT_FALSE(Value()) << "a switch nobody flipped is not written";

    const Bytes off = {0x03, 0, 0, 0, 0x40, 0x8B, 0x1F, 0x52, 0xC2, 0x6F, 0xDA, 0x01};
    SetValue(off);
    EXPECT_FALSE(shortcut.IsSet());
    ASSERT_EQ(shortcut.Set(true), std::nullopt);
    EXPECT_EQ(Value(), (Bytes{0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(shortcut.IsSet());

    // Removing the shortcut leaves the switch, as Task Manager never removes one.
    SetValue(off);
    EXPECT_EQ(shortcut.Set(false), std::nullopt);
    EXPECT_FALSE(Exists(link));
    EXPECT_EQ(Value(), off);
}

}  // namespace
}  // namespace yomorina
