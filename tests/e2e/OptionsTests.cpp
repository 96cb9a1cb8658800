#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/ListFile.h"
#include "platform/win32/Win32Form2.h"
#include "platform/win32/Win32Form3.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/Tray.h"

namespace yomorina::e2e {
namespace {

using namespace std::chrono_literals;

std::string CodePage932(const std::wstring& text) {
    const int size = WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// A person's press and release on the notification icon.
void PressTrayIcon() {
    const POINT at = TrayIconPoint();
    SetCursorPos(at.x, at.y);
    Sleep(50);
    INPUT press[2]{};
    press[0].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].type = INPUT_MOUSE;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, press, sizeof(INPUT));
}

HWND VisibleWindowOf(DWORD processId, const std::wstring& title) {
    for (HWND window : TopLevelWindowsOf(processId)) {
        if (IsWindowVisible(window) && TextOf(window) == title) return window;
    }
    return nullptr;
}

HWND WaitForWindow(DWORD processId, const std::wstring& title, std::chrono::milliseconds limit = 10s) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = VisibleWindowOf(processId, title)) != nullptr; }, limit);
    return found;
}

// A screenshot only once the window has painted all of itself.
void ScreenshotOf(HWND window, const std::string& name) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(500);
    SaveScreenshot(name);
}

void Click(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Enter and Esc as a person presses them on a control.
void PressKeys(HWND control) {
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        PostMessageW(control, WM_KEYDOWN, key, 1);
        PostMessageW(control, WM_KEYUP, key, 0xC0000001);
    }
    Sleep(500);
}

void Type(HWND dialog, int id, const std::wstring& text) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                        2000, &ignored);
}

// Answers the message box with this title by its button, and returns its text.
std::wstring Answer(DWORD processId, const std::wstring& title, int button) {
    HWND box = WaitForWindow(processId, title, 5s);
    if (!box) return L"(no message box)";
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == L"Static" && !TextOf(child).empty()) text = TextOf(child);
    }
    PostMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0);
    WaitUntil([&] { return !IsWindow(box); }, 5s);
    return text;
}

class Options : public ::testing::Test {
protected:
    App app{L"options"};
    DWORD id = 0;

    void SetUp() override {
        ASSERT_FALSE(TrayShowsOurIcon()) << "another icon is in the way";
        app.Start();
        ASSERT_NE(app.WaitForMainWindow(), nullptr);
        ASSERT_TRUE(WaitUntil(TrayShowsOurIcon, 10s));
        id = app.Running().Id();
    }
    HWND Open() {
        PressTrayIcon();
        return WaitForWindow(id, win32::OptionsDialogTitle);
    }
};

TEST_F(Options, AnEntryAddedThroughTheEditorWithATypedPathIsSavedOnOk) {
    const std::wstring target = app.Folder().Child(L"ツール表.txt");
    app.WriteFile(L"ツール表.txt", "x");
    const std::string before = app.ReadFile(L"filelist.txt");

    HWND options = Open();
    ASSERT_NE(options, nullptr) << "the icon press opened no options dialog";
    ScreenshotOf(options, "options-dialog");
    PressKeys(GetDlgItem(options, win32::form2_ids::FG));
    EXPECT_TRUE(IsWindowVisible(options)) << "Enter or Esc closed the options dialog";
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), before) << "nothing is written before OK";

    Click(options, win32::form2_ids::Command8);
    HWND editor = WaitForWindow(id, win32::EntryEditorTitle);
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(IsWindowEnabled(options)) << "the editor is modal over the options dialog";

    // A path that names nothing is refused and the editor stays.
    Type(editor, win32::form3_ids::Text2, app.Folder().Child(L"ない.exe"));
    Click(editor, win32::form3_ids::Command1);
    EXPECT_EQ(Answer(id, L"エラー", IDOK), L"ファイルが存在しません。");
    EXPECT_TRUE(IsWindowVisible(editor));

    Type(editor, win32::form3_ids::Text1, L"ツール");
    Type(editor, win32::form3_ids::Text2, target);
    ScreenshotOf(editor, "entry-editor");
    PressKeys(GetDlgItem(editor, win32::form3_ids::Text2));
    EXPECT_TRUE(IsWindowVisible(editor)) << "Enter or Esc closed the editor";
    Click(editor, win32::form3_ids::Command1);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, 5s));
    EXPECT_TRUE(IsWindowEnabled(options));

    Click(options, win32::form2_ids::Command1);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 5s));
    std::string expected = " 100 \r\n 5 \r\n 1 \r\n" + CodePage932(L"ツール") + "\r\n" + CodePage932(target) + "\r\n";
    for (int i = 0; i < 58; ++i) expected += "\r\n";
    expected += " 0 \r\n";
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), expected);

    // Closed by OK, it opens again on the next press, showing what was saved.
    HWND again = Open();
    ASSERT_NE(again, nullptr);
    ScreenshotOf(again, "options-dialog-with-entry");
    Click(again, win32::form2_ids::Command2);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(again); }, 5s));
}

TEST_F(Options, CancelAfterADeleteLeavesTheFileAsItWas) {
    std::string file = " 250 \r\n 3 \r\n 2 \r\n" + CodePage932(L"メモ帳") + "\r\nC:\\windows\\notepad.exe\r\n";
    for (int i = 0; i < 58; ++i) file += "\r\n";
    file += " 1 \r\n";
    app.Close();
    app.WriteFile(L"filelist.txt", file);
    app.Start();
    ASSERT_NE(app.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(WaitUntil(TrayShowsOurIcon, 10s));
    id = app.Running().Id();

    HWND options = Open();
    ASSERT_NE(options, nullptr);
    Click(options, win32::form2_ids::Command7);
    EXPECT_EQ(Answer(id, L"確認", IDYES), L"メモ帳を削除しますか？");
    Click(options, win32::form2_ids::Command2);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 5s));
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), file);
}

TEST_F(Options, WhileTheDialogIsOpenAShakeShowsNothing) {
    HWND options = Open();
    ASSERT_NE(options, nullptr);
    HWND overlay = app.WaitForMainWindow();
    for (int i = 0; i < 16; ++i) {
        SetCursorPos(i % 2 ? 200 : 700, 300);
        Sleep(100);
    }
    EXPECT_FALSE(IsWindowVisible(overlay));
    EXPECT_TRUE(IsWindowVisible(options));
    Click(options, win32::form2_ids::Command2);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 5s));
}

TEST_F(Options, ExitAnsweredNoKeepsEverythingAndYesEndsTheProgramAndRemovesTheIcon) {
    HWND options = Open();
    ASSERT_NE(options, nullptr);
    Click(options, win32::form2_ids::Command10);
    EXPECT_EQ(Answer(id, L"メッセージ", IDNO), L"ヨモリナを終了しますか？");
    EXPECT_TRUE(IsWindowVisible(options));
    EXPECT_TRUE(app.Running().IsRunning());

    Click(options, win32::form2_ids::Command10);
    EXPECT_EQ(Answer(id, L"メッセージ", IDYES), L"ヨモリナを終了しますか？");
    EXPECT_TRUE(app.Running().WaitForExit(10s));
    EXPECT_TRUE(WaitUntil([] { return !TrayShowsOurIcon(); }, 10s)) << "the icon stayed after the program ended";
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), DefaultListFileBytes());
}

}  // namespace
}  // namespace yomorina::e2e
