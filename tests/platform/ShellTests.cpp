#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <thread>

#include "core/Opener.h"
#include "platform/win32/base/Handles.h"
#include "platform/win32/base/WideText.h"
#include "platform/win32/desktop/FileDropTarget.h"
#include "platform/win32/desktop/Shell.h"
#include "tests/e2e/DragDrop.h"
#include "tests/e2e/Harness.h"
#include "tests/platform/DialogWatcher.h"
#include "tests/platform/RecordedArguments.h"
#include "tests/platform/TempFolder.h"
#include "tests/platform/WineTrash.h"
#include "tests/support/Fakes.h"

namespace yomorina {
namespace {

using testing::DialogWatcher;
using testing::FolderOfThisProgram;
using testing::PrepareWineTrash;
using testing::RecordArgumentsExe;
using testing::RecordedRuns;
using testing::TempFolder;

void WriteText(const std::wstring& path, const std::string& text) {
    std::ofstream out(path.c_str(), std::ios::binary);
    out << text;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class OpenerLaunchTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        SetEnvironmentVariableW(L"YOMORINA_RECORD_FOLDER", records.Wide().c_str());
        // A program and a document in folders with spaces and Japanese in their names.
        CreateDirectoryW(place.Child(L"ツール 置き場").c_str(), nullptr);
        CreateDirectoryW(place.Child(L"資料 フォルダ").c_str(), nullptr);
        program = place.Child(L"ツール 置き場\\記録 する.exe");
        document = place.Child(L"資料 フォルダ\\予算 案.txt");
        ASSERT_TRUE(CopyFileW(RecordArgumentsExe().c_str(), program.c_str(), FALSE))
            << "RecordArguments.exe beside the tests";
        WriteText(document, "予算");
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"YOMORINA_RECORD_FOLDER", nullptr);
        CoUninitialize();
    }

    // As the message loop would, until the launch has come back from its search.
    bool Open(const std::wstring& commandLine) {
        std::optional<bool> opened;
        Opener(shell).Open(win32::ToUtf8(commandLine), ShowState::Normal, 0, [&](bool started) { opened = started; });
        e2e::WaitUntil([&] { return PumpUntil(opened); }, std::chrono::seconds(10));
        return opened.value_or(false);
    }
    static bool PumpUntil(const std::optional<bool>& opened) {
        e2e::Pump();
        return opened.has_value();
    }
    // The launcher does not wait for what it starts: the records come in when the programs write them.
    using RunArguments = std::vector<std::vector<std::string>>;
    RunArguments Runs(std::size_t count) const {
        e2e::WaitUntil([&] { return RecordedRuns(records.Wide()).size() >= count; }, std::chrono::seconds(10));
        return RecordedRuns(records.Wide());
    }

    TempFolder records{L"records"};
    TempFolder place{L"place"};
    std::wstring program;
    std::wstring document;
    win32::Shell shell;
};

// Alone, or with a path with spaces, a drive root or a folder ending in a backslash, each as one argument intact.
TEST_F(OpenerLaunchTest, TheProgramGetsWhatFollowsItsNameAsOneArgumentIntact) {
    const std::string folder = place.ChildUtf8(L"資料 フォルダ\\");
    const std::wstring rests[] = {L"", L" " + document, L" C:\\", L" " + win32::ToWide(folder)};
    for (const std::wstring& rest : rests) ASSERT_TRUE(Open(program + rest));
    auto runs = Runs(4);
    RunArguments expected{{}, {win32::ToUtf8(document)}, {"C:\\"}, {folder}};
    std::sort(runs.begin(), runs.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(runs, expected);
}

TEST_F(OpenerLaunchTest, ATrailingSpaceStillStartsTheProgram) {
    // The shell is given "" as parameters: Windows passes one empty argument,
    // Wine folds it into the program's quoted name and passes none.
    ASSERT_TRUE(Open(program + L" "));
    const auto runs = Runs(1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_LE(runs[0].size(), 1u);
    if (!runs[0].empty()) {
        EXPECT_EQ(runs[0][0], "");
    }
}

TEST_F(OpenerLaunchTest, WhatTheShellCannotOpenIsStartedAsAWholeCommandLine) {
    // Without its extension no part names a file, and the shell refuses; the
    // process start finds the program and passes the rest unquoted.
    const std::wstring withoutExtension = FolderOfThisProgram() + L"\\RecordArguments";
    const long handlesBefore = win32::LiveHandleCount(win32::HandleKind::Kernel);
    ASSERT_TRUE(Open(withoutExtension + L" 一 two"));
    EXPECT_EQ(win32::LiveHandleCount(win32::HandleKind::Kernel), handlesBefore) << "the started process stays open";
    EXPECT_EQ(Runs(1), (RunArguments{{"一", "two"}}));
}

// What the launcher falls back to when the shell refuses a file it found (a name
// too long for the shell, a file with no handler). Wine's shell refuses no program
// short enough to test with, so the start is asked for directly.
TEST_F(OpenerLaunchTest, TheFallbackStartsTheFoundFileItselfNotAShorterProgramBesideIt) {
    // Cut at its first space, the path would name the planted Program.exe.
    CreateDirectoryW(place.Child(L"Program Files x").c_str(), nullptr);
    const std::wstring intended = place.Child(L"Program Files x\\記録 する.exe");
    ASSERT_TRUE(CopyFileW(RecordArgumentsExe().c_str(), intended.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(RecordArgumentsExe().c_str(), place.Child(L"Program.exe").c_str(), FALSE));
    const std::string commandLine =
        std::string(1, '"').append(win32::ToUtf8(intended)).append("\" \"").append(win32::ToUtf8(document)) + '"';

    ASSERT_TRUE(shell.StartProcess(win32::ToUtf8(intended), commandLine));
    EXPECT_EQ(Runs(1), RunArguments{{win32::ToUtf8(document)}});

    // A program the search does not find starts nothing, rather than letting the system guess.
    EXPECT_FALSE(shell.StartProcess(place.ChildUtf8(L"無い.exe"), commandLine));
}

TEST_F(OpenerLaunchTest, AMissingTargetIsFalseWithNoDialog) {
    // Cut at its first space, the second path would name this program.
    ASSERT_TRUE(CopyFileW(RecordArgumentsExe().c_str(), place.Child(L"無い.exe").c_str(), FALSE));
    DialogWatcher watcher(GetCurrentProcessId(), IDOK);
    EXPECT_FALSE(Open(place.Child(L"Nothing\\gone.exe")));
    EXPECT_FALSE(Open(place.Child(L"無い フォルダ\\無い.exe 引数")));
    EXPECT_EQ(e2e::NotUntilProvoked([&] { return !watcher.Titles().empty() || !RecordedRuns(records.Wide()).empty(); },
                                    std::chrono::seconds(5), [&] { Open(place.Child(L"無い.exe")); }),
              "");
}

// A share that does not answer, imitated: every search blocks until the test lets it answer.
TEST_F(OpenerLaunchTest, ASearchThatHangsLeavesTheThreadFreeAndItsLaunchComesOnlyWhileTheShellIsThere) {
    auto answer = std::make_shared<win32::UniqueKernelHandle>(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::atomic<int> asked{0};
    auto sleepy = std::make_unique<win32::Shell>([answer, &asked](std::string_view name) {
        ++asked;
        WaitForSingleObject(answer->get(), 20000);
        return win32::FindsOnSearchPath(name);
    });
    auto launch = std::make_shared<std::optional<bool>>();
    const auto open = [&] {
        *launch = std::nullopt;
        Opener(*sleepy).Open(win32::ToUtf8(program), ShowState::Normal, 0, [launch](bool started) { *launch = started; });
    };
    // Another thread asks a window of this one while the search hangs, then lets it answer.
    const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    std::atomic<bool> answeredInTime{false};
    std::thread asker([&] {
        e2e::WaitUntil([&] { return asked > 0; }, std::chrono::seconds(10), std::chrono::milliseconds(1));
        DWORD_PTR ignored = 0;
        // Far sooner than the search's 20 s, however slowly the waiting thread comes round to its messages.
        answeredInTime = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored) != 0;
        SetEvent(answer->get());
    });
    open();
    e2e::WaitUntil([&] { return PumpUntil(*launch); }, std::chrono::seconds(10));
    asker.join();
    DestroyWindow(window);
    EXPECT_TRUE(answeredInTime) << "the thread did not answer while the search hung";
    EXPECT_EQ(*launch, std::optional<bool>(true));
    EXPECT_EQ(Runs(1), RunArguments{{}});

    // A search that answers after its shell is gone starts nothing and lets go of its launch.
    ResetEvent(answer->get());
    open();
    sleepy.reset();
    SetEvent(answer->get());
    EXPECT_TRUE(e2e::WaitUntil([&] { return launch.use_count() == 1 && answer.use_count() == 1; },
                               std::chrono::seconds(10)));
    EXPECT_EQ(e2e::NotUntilProvoked([&] { return PumpUntil(*launch) || RecordedRuns(records.Wide()).size() > 1; },
                                    std::chrono::seconds(5), [&] { Open(program); }),
              "");
}

// A document type of our own, opened by RecordArguments.exe.
class DocumentType {
public:
    explicit DocumentType(const std::wstring& opener) {
        SetValue(L".yomorinatest", L"Yomorina.TestDocument");
        SetValue(L"Yomorina.TestDocument\\shell\\open\\command", L"\"" + opener + L"\" \"%1\"");
    }
    ~DocumentType() {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L".yomorinatest");
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Yomorina.TestDocument");
    }

private:
    static void SetValue(const wchar_t* key, const std::wstring& value) {
        RegSetKeyValueW(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
};

TEST_F(OpenerLaunchTest, ADocumentOpensWithItsAssociatedProgram) {
    DocumentType type(program);
    const std::wstring report = place.Child(L"資料 フォルダ\\報告 書.yomorinatest");
    WriteText(report, "報告");
    ASSERT_TRUE(Open(report));
    EXPECT_EQ(Runs(1), RunArguments{{win32::ToUtf8(report)}});
}

std::set<HWND> TopLevelWindows() {
    std::set<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            if (IsWindowVisible(window)) reinterpret_cast<std::set<HWND>*>(parameter)->insert(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

TEST_F(OpenerLaunchTest, AFolderOpensInAFolderWindow) {
    const std::wstring folder = place.Child(L"資料 フォルダ");
    const auto before = TopLevelWindows();
    ASSERT_TRUE(Open(folder));

    // The folder window belongs to another process; find it by its title and close it.
    HWND opened = nullptr;
    e2e::WaitUntil([&] {
        for (HWND window : TopLevelWindows()) {
            wchar_t title[512] = {};
            GetWindowTextW(window, title, 512);
            if (!before.count(window) && std::wstring(title).find(L"資料 フォルダ") != std::wstring::npos) opened = window;
        }
        return opened != nullptr;
    }, std::chrono::seconds(20));
    ASSERT_NE(opened, nullptr) << "no window showing the folder";
    PostMessageW(opened, WM_CLOSE, 0, 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(opened); }, std::chrono::seconds(10))) << "left for later tests";
}

TEST(ShellFindOnSearchPath, FindsExactNamesOnlyInTheDefaultSearchOrder) {
    TempFolder folder{L"search"};
    const std::wstring file = folder.Child(L"表 ソ.exe");
    WriteText(file, "");
    EXPECT_TRUE(win32::FindsOnSearchPath(win32::ToUtf8(file)));
    EXPECT_TRUE(win32::FindsOnSearchPath(folder.Utf8()));
    // No extension is added.
    EXPECT_FALSE(win32::FindsOnSearchPath(folder.ChildUtf8(L"表 ソ")));
    EXPECT_FALSE(win32::FindsOnSearchPath(folder.ChildUtf8(L"無い.exe")));
    EXPECT_FALSE(win32::FindsOnSearchPath(""));
    // A bare name is looked for in the system folders too.
    EXPECT_TRUE(win32::FindsOnSearchPath("notepad.exe"));
}

// Moved after the shell's own confirmation, left where it was when that is refused.
TEST(RecycleBin, MovesAFileOnlyAfterTheShellsConfirmationAndAMissingFileIsAFailure) {
    TempFolder folder{L"recycle"};
    const std::wstring trash = PrepareWineTrash();
    win32::RecycleBin recycleBin(nullptr);
    for (const int answer : {IDNO, IDYES}) {
        // A name of this run's own: the trash keeps every earlier run's file.
        const std::wstring name = L"ゴミ 箱行き " + std::to_wstring(GetCurrentProcessId()) + L".txt";
        const std::wstring file = folder.Child(name);
        WriteText(file, "捨てる");
        DialogWatcher watcher(GetCurrentProcessId(), answer);
        // The shell may report a refusal as success (Wine does); either way nothing moves.
        const int result = recycleBin.MoveToRecycleBin(win32::ToUtf8(file));
        EXPECT_EQ(Exists(file), answer == IDNO);
        EXPECT_EQ(watcher.Titles().size(), 1u) << "the shell's own confirmation";
        if (answer == IDYES) {
            EXPECT_EQ(result, 0);
            EXPECT_TRUE(trash.empty() || Exists(trash + L"\\" + name)) << "not in " << win32::ToUtf8(trash);
        }
    }
    DialogWatcher watcher(GetCurrentProcessId(), IDYES);
    EXPECT_NE(recycleBin.MoveToRecycleBin(folder.ChildUtf8(L"無い.txt")), 0);
}

// A drop is handled from the message loop, one at a time: one that comes while
// the recycle bin's confirmation for the one before is on screen waits its
// turn, and one still waiting when its window lets go of drops is forgotten.
TEST(FileDropRegistration, ADropDuringAConfirmationWaitsItsTurnAndOneLeftWhenTheWindowLetsGoIsForgotten) {
    OleInitialize(nullptr);
    TempFolder folder{L"drops"};
    PrepareWineTrash();
    const std::wstring files[] = {folder.Child(L"一 番.txt"), folder.Child(L"二 番.txt"), folder.Child(L"三 番.txt")};
    for (const std::wstring& file : files) WriteText(file, "捨てる");
    const e2e::UniqueWindow window(CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_NOTIFY, 20,
                                                   20, 80, 80, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr),
                                   &DestroyWindow);
    const POINT centre{60, 60};
    win32::RecycleBin recycleBin(nullptr);
    std::vector<std::string> handled;
    auto token = std::make_shared<int>();
    const std::weak_ptr<int> handlerAlive = token;
    win32::FileDropRegistration registration;
    registration = win32::FileDropRegistration(window.get(), [&, token](const DroppedData& data) {
        const std::string file = data.Files.at(0);
        handled.push_back("start " + file);
        recycleBin.MoveToRecycleBin(file);
        if (file == win32::ToUtf8(files[1])) registration = win32::FileDropRegistration();
        handled.push_back(handlerAlive.expired() ? "the running handler was destroyed" : "end " + file);
    });
    token.reset();
    ASSERT_TRUE(registration.IsRegistered());
    {
        // Each confirmation brings the next file's drop, from another apartment as from another program.
        std::atomic<int> confirmations{0};
        DialogWatcher watcher(GetCurrentProcessId(), IDYES, [&](const std::wstring&) {
            const int next = ++confirmations;
            if (next <= 2) e2e::DropFilesAt(centre, {files[next]});
        });
        e2e::DropFilesAt(centre, {files[0]});
        e2e::PumpUntil([&] { return handled.size() >= 4; }, std::chrono::seconds(20));
        EXPECT_EQ(confirmations, 2);
    }
    const auto utf8 = [](const std::wstring& file) { return win32::ToUtf8(file); };
    EXPECT_EQ(handled, (std::vector<std::string>{"start " + utf8(files[0]), "end " + utf8(files[0]),
                                                 "start " + utf8(files[1]), "end " + utf8(files[1])}));
    EXPECT_FALSE(Exists(files[0]));
    EXPECT_FALSE(Exists(files[1]));
    EXPECT_TRUE(Exists(files[2])) << "a forgotten drop moves nothing";
    OleUninitialize();
}

}  // namespace
}  // namespace yomorina
