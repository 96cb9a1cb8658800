#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "core/Texts.h"
#include "platform/win32/desktop/StartupShortcut.h"
#include "platform/win32/dialogs/EntryEditorWindow.h"
#include "platform/win32/dialogs/OptionsWindow.h"
#include "tests/e2e/DragDrop.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/Tray.h"
#include "tests/support/Speaking.h"

namespace yomorina::e2e {
namespace {

using namespace std::chrono_literals;

// A click in the middle of a grid row (1..30 among the first visible ones), 20
// pixels high at 96 dpi and taller with the DPI. Posted straight to the list: a real pointer moved by
// another process reaches Wine's display driver late, and a press then lands
// on the row before.
void ClickGridRow(HWND dialog, int row) {
    HWND list = GetDlgItem(dialog, win32::options_ids::ListGrid);
    RECT header;
    GetClientRect(GetWindow(list, GW_CHILD), &header);
    const int height = MulDiv(20, static_cast<int>(GetDpiForWindow(list)), 96);
    const LPARAM at = MAKELPARAM(60, header.bottom + (row - 1) * height + height / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Sleep(100);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
}

// Ctrl+Alt+Y held by this test as by another program, let go however the test ends.
struct KeyHeldElsewhere {
    bool held = RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, 'Y') != FALSE;
    ~KeyHeldElsewhere() { if (held) UnregisterHotKey(nullptr, 1); }
};

int PictureOfPreview(HWND dialog) {
    int drawn = 0;
    for (const Rgb& pixel : CapturePixels(RectOf(GetDlgItem(dialog, win32::options_ids::IconPreview)))) drawn += !(pixel == Rgb{255, 255, 255});
    return drawn;
}

// Enter and Esc as a person presses them on a control must not close its
// window; then the button closes it. "" when so.
std::string KeysLeaveItOpenUntil(HWND control, HWND window, int button) {
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) PostKeyPress(control, key);
    return NotUntilProvoked([&] { return !IsWindowVisible(window); }, 2s, [&] { ClickButton(window, button); });
}

void Type(HWND dialog, int id, const std::wstring& text) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                        10000, &ignored);
}

// The system's file-open dialog of the process, once it is up.
HWND WaitForFileDialog(DWORD processId) {
    return WaitForWindowOf(processId, [](HWND window) { return IsDialog(window) && GetDlgItem(window, 0x47C); });
}

std::wstring BoxText(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }

std::vector<std::wstring> TextsIn(HWND window) {
    std::vector<std::wstring> texts{TextOf(window)};
    for (HWND child : ChildrenOf(window)) texts.push_back(TextOf(child));
    return texts;
}

bool HasJapanese(const std::wstring& text) {
    return std::any_of(text.begin(), text.end(), [](wchar_t c) {
        return (c >= 0x3000 && c <= 0x9FFF) || (c >= 0xFF00 && c <= 0xFFEF);
    });
}

// The column headers of another process's list view, read through memory lent inside it.
std::vector<std::wstring> HeaderTextsOf(HWND listView) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0));
    DWORD processId = 0;
    GetWindowThreadProcessId(listView, &processId);
    const win32::UniqueKernelHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    constexpr int TextRoom = 128;
    auto* lent = static_cast<unsigned char*>(VirtualAllocEx(process.get(), nullptr, sizeof(HDITEMW) + TextRoom * 2,
                                                            MEM_COMMIT, PAGE_READWRITE));
    std::vector<std::wstring> texts;
    for (int column = 0; lent && column < Header_GetItemCount(header); ++column) {
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(lent + sizeof(HDITEMW));
        item.cchTextMax = TextRoom;
        wchar_t text[TextRoom] = {};
        WriteProcessMemory(process.get(), lent, &item, sizeof(item), nullptr);
        SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(lent));
        ReadProcessMemory(process.get(), item.pszText, text, sizeof(text) - sizeof(wchar_t), nullptr);
        texts.emplace_back(text);
    }
    if (lent) VirtualFreeEx(process.get(), lent, 0, MEM_RELEASE);
    return texts;
}

// The prefix's Startup folder, where the program puts its shortcut. Whatever
// ヨモリナ.lnk was there is moved aside for the test and put back afterwards,
// and a folder the program had to make is removed again.
class StartupFolder {
public:
    StartupFolder() {
        wchar_t* found = nullptr;
        if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_DONT_VERIFY, nullptr, &found))) folder_ = found;
        CoTaskMemFree(found);
        if (folder_.empty()) return;
        folderExisted_ = GetFileAttributesW(folder_.c_str()) != INVALID_FILE_ATTRIBUTES;
        link_ = folder_ + L"\\" + win32::ShortcutName(JapaneseTexts);
        std::ifstream in(link_.c_str(), std::ios::binary);
        if (in) saved_.emplace(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        in.close();
        DeleteFileW(link_.c_str());
    }
    ~StartupFolder() {
        if (folder_.empty()) return;
        DeleteFileW(link_.c_str());
        if (saved_) std::ofstream(link_.c_str(), std::ios::binary) << *saved_;
        if (!folderExisted_) RemoveDirectoryW(folder_.c_str());
    }
    StartupFolder(const StartupFolder&) = delete;
    StartupFolder& operator=(const StartupFolder&) = delete;

    const std::wstring& Link() const { return link_; }
    bool HasLink() const { return GetFileAttributesW(link_.c_str()) != INVALID_FILE_ATTRIBUTES; }

private:
    std::wstring folder_, link_;
    bool folderExisted_ = false;
    std::optional<std::string> saved_;
};

class Options : public ::testing::Test {
protected:
    ProgramUnderTest app{L"options"};
    DWORD id = 0;

    void SetUp() override {
        ASSERT_TRUE(TrayClearOfOurIcon()) << "another icon is in the way";
        ASSERT_NE(app.StartResident(), nullptr);
        id = app.Running().Id();
    }
    HWND Open() const { return OpenOptions(id); }
};

TEST_F(Options, AnEntryAddedThroughTheEditorWithATypedPathIsSavedOnOk) {
    const std::wstring target = app.Folder().Child(L"ツール表.txt");
    app.WriteFile(L"ツール表.txt", "x");
    const std::string before = app.ReadFile(L"filelist.txt");

    HWND options = Open();
    ASSERT_NE(options, nullptr) << "the icon press opened no options dialog";
    SaveScreenshotOf(options, "options-dialog");
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), before) << "nothing is written before OK";

    ClickButton(options, win32::options_ids::AddButton);
    HWND editor = WaitForWindow(id, win32::ToWide(Text(TextId::EntryEditorCaption)));
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(IsWindowEnabled(options)) << "the editor is modal over the options dialog";

    // Browsing: a cancel changes nothing, a chosen file gives its name and full path.
    ClickButton(editor, win32::editor_ids::BrowseButton);
    HWND files = WaitForFileDialog(id);
    ASSERT_NE(files, nullptr) << "no file-open dialog";
    SaveScreenshotOf(files, "entry-editor-browse");
    ClickButton(files, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(files); }, 5s));
    EXPECT_EQ(BoxText(editor, win32::editor_ids::NameBox), L"");
    EXPECT_EQ(BoxText(editor, win32::editor_ids::PathBox), L"");
    ClickButton(editor, win32::editor_ids::BrowseButton);
    files = WaitForFileDialog(id);
    ASSERT_NE(files, nullptr);
    Type(files, 0x47C, target);
    ClickButton(files, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(files); }, 5s));
    EXPECT_EQ(BoxText(editor, win32::editor_ids::NameBox), L"ツール表.txt");
    EXPECT_EQ(BoxText(editor, win32::editor_ids::PathBox), target);

    Type(editor, win32::editor_ids::NameBox, L"ツール");
    Type(editor, win32::editor_ids::PathBox, target);
    SaveScreenshotOf(editor, "entry-editor");
    EXPECT_EQ(KeysLeaveItOpenUntil(GetDlgItem(editor, win32::editor_ids::PathBox), editor, win32::editor_ids::OkButton),
              "") << "the editor";
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, 5s));
    EXPECT_TRUE(IsWindowEnabled(options));

    EXPECT_EQ(KeysLeaveItOpenUntil(GetDlgItem(options, win32::options_ids::ListGrid), options,
                                   win32::options_ids::OkButton), "") << "the options dialog";
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 5s));
    // ツール and ツール表.txt in code page 932 (表 ends in a backslash byte), after the folder's plain letters.
    std::string expected = " 100 \r\n 5 \r\n 1 \r\n\x83\x63\x81\x5B\x83\x8B\r\n";
    expected += app.Folder().Utf8() + "\\\x83\x63\x81\x5B\x83\x8B\x95\x5C.txt\r\n";
    for (int i = 0; i < 58; ++i) expected += "\r\n";
    expected += " 0 \r\n";
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), expected);

    // Closed by OK, it opens again on the next press, showing what was saved.
    HWND again = Open();
    ASSERT_NE(again, nullptr);
    SaveScreenshotOf(again, "options-dialog-with-entry");
    EXPECT_GT(PictureOfPreview(again), 0) << "the saved entry's icon is not previewed";
    HWND grid = GetDlgItem(again, win32::options_ids::ListGrid);
    ClickGridRow(again, 2);
    EXPECT_TRUE(WaitUntil([&] { return PictureOfPreview(again) == 0; }, 10s))
        << "an empty row left a picture; selected item " << ListView_GetNextItem(grid, -1, LVNI_SELECTED);
    ClickGridRow(again, 1);
    EXPECT_TRUE(WaitUntil([&] { return PictureOfPreview(again) > 0; }, 10s))
        << "a click showed no icon; selected item " << ListView_GetNextItem(grid, -1, LVNI_SELECTED);
    ClickButton(again, win32::options_ids::CancelButton);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(again); }, 5s));
}

TEST_F(Options, AfterFilesDroppedOnTheListEveryPressOnTheIconOpensTheDialog) {
    app.WriteFile(L"落とす 書類.txt", "x");
    const std::wstring file = app.Folder().Child(L"落とす 書類.txt");
    std::string missed;
    for (int round = 0; round < 6; ++round) {
        PressTrayIcon();
        HWND options = WaitForWindow(id, win32::ToWide(Text(TextId::OptionsCaption)), 10s);
        if (!options) {
            missed += " ";
            missed += std::to_string(round);
            options = OpenOptions(id);
        }
        ASSERT_NE(options, nullptr) << "round " << round;
        const RECT grid = RectOf(GetDlgItem(options, win32::options_ids::ListGrid));
        const DragOutcome dropped =
            DropFilesAt(POINT{grid.left + 100, grid.top + 60}, {app.Folder().Wide(), file, L"C:\\windows\\notepad.exe"});
        EXPECT_EQ(dropped.result, DRAGDROP_S_DROP);
        ClickButton(options, round % 2 ? win32::options_ids::OkButton : win32::options_ids::CancelButton);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 5s));
    }
    EXPECT_EQ(missed, "") << "rounds whose first press opened nothing";
}

// The real Startup folder; what the shortcut holds and what Cancel leaves are seen below this level.
TEST_F(Options, StartAtSignInPutsTheShortcutInTheStartupFolderOnOkAndUntickingTakesItOut) {
    StartupFolder startup;
    ASSERT_FALSE(startup.Link().empty()) << "no Startup folder in the prefix";
    for (const bool tick : {true, false}) {
        HWND options = Open();
        ASSERT_NE(options, nullptr);
        HWND box = GetDlgItem(options, win32::options_ids::StartAtSignInBox);
        EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), tick ? BST_UNCHECKED : BST_CHECKED);
        ClickButton(options, win32::options_ids::StartAtSignInBox);
        const LRESULT wanted = tick ? BST_CHECKED : BST_UNCHECKED;
        ASSERT_TRUE(WaitUntil([&] { return SendMessageW(box, BM_GETCHECK, 0, 0) == wanted; }, 10s));
        ClickButton(options, win32::options_ids::OkButton);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 5s));
        EXPECT_EQ(startup.HasLink(), tick);
    }
}

// The key box takes a pressed combination, a program's shortcut made safe, and
// empties on Backspace; OK saves it as line 65, unless another program holds
// it: then it says so and saves nothing.
TEST_F(Options, TheCallKeyIsTypedInItsBoxAndOkRefusesOneAnotherProgramHolds) {
    const std::string before = app.ReadFile(L"filelist.txt");
    HWND options = Open();
    ASSERT_NE(options, nullptr);
    HWND box = GetDlgItem(options, win32::options_ids::CallKeyBox);
    ClickAt(CentreOf(box));
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(GetWindowThreadProcessId(box, nullptr)) == box; }, 5s));
    const auto boxHolds = [&](LRESULT key) { return WaitUntil([&] { return SendMessageW(box, HKM_GETHOTKEY, 0, 0) == key; }, 10s); };
    PressKeys({VK_CONTROL, VK_MENU, 'Y'});
    EXPECT_TRUE(boxHolds(1625)) << "Ctrl+Alt+Y";
    PressKeys({VK_BACK});
    EXPECT_TRUE(boxHolds(0)) << "Backspace";
    PressKeys({VK_CONTROL, 'Y'});
    ASSERT_TRUE(boxHolds(1625)) << "Ctrl+Y, every program's redo, is made Ctrl+Alt+Y " << SendMessageW(box, HKM_GETHOTKEY, 0, 0);

    auto elsewhere = std::make_optional<KeyHeldElsewhere>();
    ASSERT_TRUE(elsewhere->held);
    ClickButton(options, win32::options_ids::OkButton);
    EXPECT_EQ(Answer(id, L"エラー", IDOK), L"このキーは他のプログラムが使っています。");
    elsewhere.reset();
    EXPECT_TRUE(IsWindowVisible(options));
    EXPECT_EQ(SendMessageW(box, HKM_GETHOTKEY, 0, 0), 1625);
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), before);

    ClickButton(options, win32::options_ids::OkButton);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 5s));
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), before + " 1625 \r\n");
    EXPECT_FALSE(KeyHeldElsewhere().held) << "the program holds its key";
    EXPECT_TRUE(RegisterHotKey(nullptr, 2, MOD_CONTROL, 'Y')) << "and leaves Ctrl+Y to the others";
    UnregisterHotKey(nullptr, 2);
}

// A key another program held at start-up is noted in the options, kept by an
// OK that leaves it alone, and taken once the other program has let go.
TEST_F(Options, ACallKeyHeldElsewhereAtStartUpIsNotedKeptOnOkAndTakenOnceFree) {
    ASSERT_TRUE(app.Close());
    const std::string list = app.WriteListFile(ScatterSettings{100, 5, 1, 0, 1625});
    auto elsewhere = std::make_optional<KeyHeldElsewhere>();
    ASSERT_TRUE(elsewhere->held);
    ASSERT_NE(app.StartResident(), nullptr);
    id = app.Running().Id();
    HWND options = Open();
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(BoxText(options, win32::options_ids::CallKeyNote), L"（他のアプリが使用中）");
    ClickButton(options, win32::options_ids::OkButton);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 5s)) << "OK refused a key the user left alone";
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), list);

    elsewhere.reset();
    options = Open();
    ASSERT_NE(options, nullptr);
    ClickButton(options, win32::options_ids::CancelButton);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 5s));
    EXPECT_FALSE(KeyHeldElsewhere().held) << "the program takes its key as the options close";
}

TEST_F(Options, ExitAnsweredNoKeepsEverythingAndYesEndsTheProgramAndRemovesTheIcon) {
    const std::string before = app.ReadFile(L"filelist.txt");
    HWND options = Open();
    ASSERT_NE(options, nullptr);
    ClickButton(options, win32::options_ids::ExitButton);
    EXPECT_EQ(Answer(id, L"メッセージ", IDNO), L"ヨモリナを終了しますか？");
    std::wstring askedAgain;
    EXPECT_EQ(NotUntilProvoked([&] { return !IsWindowVisible(options) || !app.Running().IsRunning(); }, 2s, [&] {
        ClickButton(options, win32::options_ids::ExitButton);
        askedAgain = Answer(id, L"メッセージ", IDYES);
    }), "") << "answered No, the dialog closed or the program ended";
    EXPECT_EQ(askedAgain, L"ヨモリナを終了しますか？");
    EXPECT_TRUE(app.Running().WaitForExit(10s));
    EXPECT_TRUE(WaitUntil([] { return !TrayShowsOurIcon(); }, 10s)) << "the icon stayed after the program ended";
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), before);
}

}  // namespace
}  // namespace yomorina::e2e

namespace yomorina::e2e {
namespace {

// Run in a Wine displayed in English (ctest's end_to_end_english): every window and box speaks it,
// and the list is saved as a Japanese system saves it. That the captions fit is seen in-process, where
// their fonts can be measured (OptionsDialogTest); a caption left out of the tables shows as Japanese.
TEST(English, EveryWindowSpeaksItAndTheListIsSavedAsInJapanese) {
    using enum TextId;
    const yomorina::testing::Speaking english(EnglishTexts);
    ASSERT_TRUE(TrayClearOfOurIcon()) << "another icon is in the way";
    ProgramUnderTest app(L"english");
    app.WriteListFile(QuickScatter, {{"メモ帳", "notepad.exe"}});
    ASSERT_NE(app.StartResident(), nullptr);
    const DWORD id = app.Running().Id();

    // Each window as it is up: its English title, at least its own number of English captions
    // (an empty or lost one would pass a look for Japanese alone), and no Japanese anywhere in it.
    const auto expectSpoken = [&](HWND window, TextId title, std::size_t captions) {
        ASSERT_NE(window, nullptr) << Text(title);
        const std::vector<std::wstring> texts = TextsIn(window);
        EXPECT_EQ(texts[0], win32::ToWide(Text(title)));
        const auto english = [](const std::wstring& text) {
            return !HasJapanese(text) && std::any_of(text.begin(), text.end(), iswalpha);
        };
        EXPECT_GE(static_cast<std::size_t>(std::count_if(texts.begin() + 1, texts.end(), english)), captions)
            << Text(title);
        for (const std::wstring& text : texts) EXPECT_FALSE(HasJapanese(text)) << win32::ToUtf8(text);
    };
    ASSERT_TRUE(WaitUntil(TrayShowsOurIcon, 10s));
    EXPECT_EQ(TrayTipUnderPointer(), L"Yomorina");
    HWND options = OpenOptions(id);
    expectSpoken(options, OptionsCaption, 19);
    EXPECT_EQ(HeaderTextsOf(GetDlgItem(options, win32::options_ids::ListGrid)),
              (std::vector<std::wstring>{L"Name", L"Path"}));
    SaveScreenshotOf(options, "english-options-dialog");

    ClickButton(options, win32::options_ids::AddButton);
    HWND editor = WaitForWindow(id, win32::ToWide(Text(EntryEditorCaption)));
    expectSpoken(editor, EntryEditorCaption, 6);
    Type(editor, win32::editor_ids::PathBox, L"C:\\nowhere\\none.exe");
    ClickButton(editor, win32::editor_ids::OkButton);
    EXPECT_EQ(Answer(id, win32::ToWide(Text(TitleError)), IDOK), L"The file or folder does not exist.");
    ClickButton(editor, win32::editor_ids::RecycleBinBox);
    SaveScreenshotOf(editor, "english-entry-editor");
    ClickButton(editor, win32::editor_ids::OkButton);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, 5s));

    ClickButton(options, win32::options_ids::VersionButton);
    HWND about = WaitForWindow(id, win32::ToWide(Text(AboutBoxTitle)));
    expectSpoken(about, AboutBoxTitle, 9);
    SaveScreenshotOf(about, "english-about-box");
    PostMessageW(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 5s));

    ClickButton(options, win32::options_ids::ExitButton);
    HWND question = WaitForWindow(id, win32::ToWide(Text(TitleMessage)));
    expectSpoken(question, TitleMessage, 3);
    ClickButton(question, IDNO);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }, 5s));

    ClickButton(options, win32::options_ids::OkButton);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 5s));
    // メモ帳 and the ticked recycle bin's ゴミ箱, twice, in code page 932.
    std::string expected = " 20 \r\n 3 \r\n 1 \r\n\x83\x81\x83\x82\x92\xA0\r\nnotepad.exe\r\n";
    expected += "\x83\x53\x83\x7E\x94\xA0\r\n\x83\x53\x83\x7E\x94\xA0\r\n";
    for (int i = 0; i < 56; ++i) expected += "\r\n";
    expected += " 0 \r\n";
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), expected);
}

}  // namespace
}  // namespace yomorina::e2e
