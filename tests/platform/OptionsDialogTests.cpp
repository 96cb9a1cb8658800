#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <ole2.h>

#include <array>
#include <fstream>
#include <memory>
#include <thread>

#include "core/ListFile.h"
#include "platform/win32/base/TestSeams.h"
#include "platform/win32/base/WideText.h"
#include "platform/win32/desktop/StartupShortcut.h"
#include "platform/win32/dialogs/AboutWindow.h"
#include "platform/win32/dialogs/Controls.h"
#include "platform/win32/dialogs/EntryEditorWindow.h"
#include "platform/win32/dialogs/OptionsWindow.h"
#include "platform/win32/files/CodePage932.h"
#include "platform/win32/files/DirectorySearch.h"
#include "platform/win32/files/FileStore.h"
#include "platform/win32/files/TargetIcon.h"
#include "platform/win32/resident/KeyboardLayouts.h"
#include "platform/win32/resident/MainWindow.h"
#include "tests/e2e/DragDrop.h"
#include "tests/e2e/Harness.h"
#include "tests/platform/ShortcutFiles.h"
#include "tests/platform/TempFolder.h"
#include "tests/support/Fakes.h"
#include "tests/support/Speaking.h"

namespace yomorina {
namespace {

using e2e::Pump;
using e2e::RectInParent;

std::wstring ItemText(HWND listView, int item, int column) {
    wchar_t text[512] = {};
    ListView_GetItemText(listView, item, column, text, 512);
    return text;
}

// Beside the cells dark grey, along the cell edges light grey, the cells themselves untouched;
// read from the list view as drawn, on row 2 (blank and not selected).
void ExpectGridColours(HWND listView) {
    RedrawWindow(listView, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT client{};
    GetClientRect(listView, &client);
    RECT row{};
    ASSERT_TRUE(ListView_GetItemRect(listView, 1, &row, LVIR_BOUNDS));
    const int firstRight = row.left + ListView_GetColumnWidth(listView, 0);
    const int cellsRight = firstRight + ListView_GetColumnWidth(listView, 1);
    ASSERT_LT(cellsRight, client.right) << "no ground beside the cells to look at";
    const int middle = (row.top + row.bottom) / 2;
    HDC dc = GetDC(listView);
    EXPECT_EQ(GetPixel(dc, client.right - 1, middle), RGB(128, 128, 128));
    EXPECT_EQ(GetPixel(dc, cellsRight, middle), RGB(128, 128, 128));
    EXPECT_EQ(GetPixel(dc, firstRight - 1, middle), RGB(192, 192, 192));
    EXPECT_EQ(GetPixel(dc, cellsRight - 1, middle), RGB(192, 192, 192));
    EXPECT_EQ(GetPixel(dc, firstRight / 2, row.bottom - 1), RGB(192, 192, 192));
    EXPECT_EQ(GetPixel(dc, firstRight / 2, middle), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(GetPixel(dc, firstRight + 20, row.bottom - 2), GetSysColor(COLOR_WINDOW));
    ReleaseDC(listView, dc);
}

class OptionsDialogTest : public ::testing::Test {
protected:
    testing::TempFolder folder{L"オプション"};
    Model model;
    win32::FileStore store;
    win32::CodePage932 codePage;
    testing::FakeExecutableFolder executableFolder{folder.Utf8()};
    ListFile listFile{store, codePage, executableFolder};
    win32::DirectorySearch search;
    win32::EntryLookup lookup;
    // A Startup folder of the test's own: the real one is never touched.
    testing::TempFolder startupFolder{L"スタートアップ"};
    win32::StartupShortcut startupShortcut{startupFolder.Wide()};
    testing::Journal journal;
    testing::FakeMainWindow mainWindow{journal};
    // The hot keys are the system's own, held by a main window as the program's are.
    win32::MainWindow callKeyWindow{GetModuleHandleW(nullptr)};
    const win32::KeyboardLayouts layouts;
    std::unique_ptr<win32::OptionsWindow> dialog;
    HRESULT ole = E_FAIL;

    void SetUp() override {
        ole = OleInitialize(nullptr);
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        model.Settings = {100, 5, 1, 2};
        model.List[0] = {"メモ帳", "C:\\windows\\notepad.exe"};
        model.List[2] = {"表計算", "C:\\ソフト\\表.exe"};
        model.List[29] = {"ゴミ箱", "ゴミ箱"};
        model.OptionsOpen = true;
    }
    void TearDown() override {
        dialog.reset();
        if (SUCCEEDED(ole)) OleUninitialize();
    }
    void Open() { Open(lookup); }
    void Open(win32::EntryLookup& with) {
        dialog = std::make_unique<win32::OptionsWindow>(GetModuleHandleW(nullptr),
                                              win32::OptionsWindow::Services{model, listFile, startupShortcut, search, with, mainWindow, callKeyWindow.CallKey(), layouts});
        Pump();
    }
    HWND Control(int id) const { return GetDlgItem(dialog->Handle(), id); }
};

TEST_F(OptionsDialogTest, TheListViewHoldsAHeaderAndThirtyRowsWithJapaneseCells) {
    Open();
    HWND listView = Control(win32::options_ids::ListGrid);
    ASSERT_NE(listView, nullptr);
    EXPECT_EQ(ListView_GetItemCount(listView), 30);
    EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(listView)), 2);
    win32::Grid& grid = dialog->EntryGrid();
    EXPECT_EQ(grid.Text(0, 0), "名前");
    EXPECT_EQ(grid.Text(0, 1), "パス");
    EXPECT_EQ(grid.Text(1, 0), "メモ帳");
    EXPECT_EQ(ItemText(listView, 2, 1), L"C:\\ソフト\\表.exe");
    EXPECT_EQ(grid.Text(2, 0), "");
    EXPECT_EQ(grid.Text(30, 1), "ゴミ箱");
    RECT client;
    GetClientRect(dialog->Handle(), &client);
    EXPECT_EQ((std::array<LONG, 2>{client.right, client.bottom}), (std::array<LONG, 2>{546, 472}));

    const std::string longPath = "C:\\" + std::string(600, 'a') + "\\長い名前.exe";
    grid.SetText(17, 1, longPath);
    EXPECT_EQ(grid.Text(17, 1), longPath);
    grid.SetText(17, 1, "");
    EXPECT_EQ(grid.Text(17, 1), "");
}

TEST_F(OptionsDialogTest, TheCurrentRowFollowsTheListViewSelectionAndNeverGoesAway) {
    Open();
    HWND listView = Control(win32::options_ids::ListGrid);
    win32::Grid& grid = dialog->EntryGrid();
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(ListView_GetNextItem(listView, -1, LVNI_SELECTED), 0);

    grid.SetRow(30);
    EXPECT_EQ(ListView_GetNextItem(listView, -1, LVNI_SELECTED), 29);

    // As the user picks row 10 ...
    ListView_SetItemState(listView, 9, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Pump();
    EXPECT_EQ(grid.Row(), 10);
    // ... and then clicks past the rows, which clears the list view's selection.
    ListView_SetItemState(listView, -1, 0, LVIS_SELECTED);
    Pump();
    EXPECT_EQ(grid.Row(), 10);
    EXPECT_EQ(ListView_GetNextItem(listView, -1, LVNI_SELECTED), 9);
}

TEST_F(OptionsDialogTest, SlidersAndPatternButtonsShowTheSettingsAndReportTheUsersChanges) {
    Open();
    HWND slider1 = Control(win32::options_ids::DistanceSlider);
    EXPECT_EQ(SendMessageW(slider1, TBM_GETPOS, 0, 0), 100);
    // Range, page and line steps, and the ticks drawn: both ends and every 100, or every step.
    const auto setup = [&](int id) {
        std::array<LRESULT, 5> values{};
        const UINT asks[] = {TBM_GETRANGEMIN, TBM_GETRANGEMAX, TBM_GETPAGESIZE, TBM_GETLINESIZE, TBM_GETNUMTICS};
        for (int i = 0; i < 5; ++i) values[i] = SendMessageW(Control(id), asks[i], 0, 0);
        return values;
    };
    EXPECT_EQ(setup(win32::options_ids::DistanceSlider), (std::array<LRESULT, 5>{10, 500, 50, 1, 6}));
    EXPECT_EQ(setup(win32::options_ids::LeadInSlider), (std::array<LRESULT, 5>{1, 10, 1, 1, 10}));
    EXPECT_EQ(setup(win32::options_ids::ScatterSlider), (std::array<LRESULT, 5>{1, 10, 1, 1, 10}));
    EXPECT_EQ(e2e::TextOf(Control(win32::options_ids::DistanceValue)), L"100");
    EXPECT_EQ(SendMessageW(Control(win32::options_ids::FirstPatternButton + 2), BM_GETCHECK, 0, 0), BST_CHECKED);

    // The keyboard moves the thumb; the value label follows.
    for (const UINT message : {WM_KEYDOWN, WM_KEYUP}) SendMessageW(slider1, message, VK_PRIOR, 0);
    Pump();
    const auto moved = SendMessageW(slider1, TBM_GETPOS, 0, 0);
    EXPECT_NE(moved, 100);
    EXPECT_EQ(e2e::TextOf(Control(win32::options_ids::DistanceValue)), std::to_wstring(moved));

    SendMessageW(Control(win32::options_ids::FirstPatternButton + 3), BM_CLICK, 0, 0);
    Pump();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(SendMessageW(Control(win32::options_ids::FirstPatternButton + i), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    // OK writes what the controls hold and closes the dialog.
    SendMessageW(Control(win32::options_ids::OkButton), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(model.Settings.BackgroundPattern, 3);
    EXPECT_EQ(model.Settings.MoveDistance, moved);
    EXPECT_FALSE(model.OptionsOpen);
    EXPECT_EQ(dialog->Handle(), nullptr);
}

// Left, top, width and height in the dialog's client area.
std::array<LONG, 4> Placed(HWND control) {
    const RECT rect = RectInParent(control);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

TEST_F(OptionsDialogTest, TheCallKeyBoxStartsEmptyGivesAPlainKeyCtrlAltAndEmptiesOnDelete) {
    Open();
    EXPECT_EQ(e2e::TextOf(Control(win32::options_ids::CallKeyLabel)), L"呼び出しキー");
    HWND keyBox = Control(win32::options_ids::CallKeyBox);
    EXPECT_EQ(e2e::ClassOf(keyBox), HOTKEY_CLASSW);
    EXPECT_EQ(SendMessageW(keyBox, HKM_GETHOTKEY, 0, 0), 0) << "no key at first";
    SendMessageW(keyBox, WM_KEYDOWN, 'Y', 0);
    EXPECT_EQ(SendMessageW(keyBox, HKM_GETHOTKEY, 0, 0), 1625) << "a plain key gets Ctrl+Alt";
    MSG erase{keyBox, WM_KEYDOWN, VK_DELETE, 0, 0, {}};
    EXPECT_TRUE(dialog->TranslateDialogMessage(erase));
    EXPECT_EQ(SendMessageW(keyBox, HKM_GETHOTKEY, 0, 0), 0) << "Delete";
}

TEST_F(OptionsDialogTest, AMoveToAMonitorWithAnotherDpiScalesTheLayoutAndTheListColumns) {
    Open();
    RECT suggested{0, 0, 900, 700};
    SendMessageW(dialog->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(Placed(Control(win32::options_ids::ListGrid)), (std::array<LONG, 4>{12, 18, 794, 278}));
    EXPECT_EQ(Placed(Control(win32::options_ids::FirstPatternButton + 3)), (std::array<LONG, 4>{696, 510, 86, 26}));
    EXPECT_EQ(Placed(Control(win32::options_ids::StartAtSignInBox)), (std::array<LONG, 4>{12, 552, 440, 26}));
    EXPECT_EQ(Placed(Control(win32::options_ids::CallKeyBox)), (std::array<LONG, 4>{354, 594, 242, 32}));
    EXPECT_EQ(Placed(Control(win32::options_ids::OkButton)), (std::array<LONG, 4>{6, 648, 146, 44}));
    EXPECT_EQ(ListView_GetColumnWidth(Control(win32::options_ids::ListGrid), 1), 380);
    EXPECT_EQ(RectInParent(Control(win32::options_ids::IconPreview)).right - RectInParent(Control(win32::options_ids::IconPreview)).left, 48);
    ExpectGridColours(Control(win32::options_ids::ListGrid));
}

// A longer translation or a wider face widens a control and moves the next along, at every scale.
TEST_F(OptionsDialogTest, EveryCaptionShowsWholeInEveryLanguageAtEveryDpi) {
    for (const Language& language : Languages) {
        const testing::Speaking speaking(language.Texts);
        Open();
        win32::AboutWindow about(GetModuleHandleW(nullptr), dialog->Handle());
        win32::EntryEditorWindow editor(GetModuleHandleW(nullptr), dialog->Handle(), search);
        for (const UINT dpi : {96u, 144u, 192u}) {
            RECT suggested{0, 0, 1600, 1400};
            for (HWND window : {dialog->Handle(), about.Handle(), editor.Handle()}) {
                SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
                EXPECT_EQ(win32::ToUtf8(e2e::ClippedCaptions(window)), "") << language.Tag << " at " << dpi;
            }
            // The key box's notes come after the layout, so each has to fit the room it was given.
            for (const TextId note : {TextId::CallKeyHeldElsewhereNote, TextId::CallKeyTypesACharacterNote,
                                      TextId::CallKeySystemShortcutNote}) {
                SetWindowTextW(Control(win32::options_ids::CallKeyNote), win32::ToWide(Text(note)).c_str());
                EXPECT_EQ(win32::ToUtf8(e2e::ClippedCaptions(dialog->Handle())), "") << language.Tag << " at " << dpi;
            }
        }
        about.Close();
        dialog.reset();
    }
}

TEST_F(OptionsDialogTest, TheStartAtSignInBoxShowsTheShortcutAndOkMakesOrRemovesIt) {
    const std::wstring link = startupFolder.Child(L"ヨモリナ.lnk");
    Open();
    HWND box = Control(win32::options_ids::StartAtSignInBox);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::TextOf(box), L"Windows の起動時に開始する");
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    SendMessageW(box, BM_CLICK, 0, 0);
    SendMessageW(Control(win32::options_ids::OkButton), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(dialog->Handle(), nullptr);
    const testing::LinkFile made = testing::ReadLinkFile(link);
    ASSERT_TRUE(made.read);
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    EXPECT_TRUE(testing::SamePathText(made.target, program));
    EXPECT_TRUE(store.Exists(listFile.Path())) << "the list is saved with it";

    Open();
    box = Control(win32::options_ids::StartAtSignInBox);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(box, BM_CLICK, 0, 0);
    SendMessageW(Control(win32::options_ids::OkButton), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(GetFileAttributesW(link.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(OptionsDialogTest, ThePreviewDrawsAnIconTheRecycleBinOrNothing) {
    Open();
    win32::PreviewBox* preview = &dialog->Preview();
    const auto countNotWhite = [&] {
        int count = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) count += preview->PixelAt(x, y) != RGB(255, 255, 255);
        }
        return count;
    };
    // The icon is drawn when its answer comes in from the thread pool.
    const auto drawn = [&] {
        Pump();
        return countNotWhite() > 50;
    };
    EXPECT_TRUE(e2e::WaitUntil(drawn, std::chrono::seconds(10))) << "row 1 is notepad, whose icon Load asks for";
    dialog->EntryGrid().SetRow(2);
    dialog->Logic().OnGridSelect();
    EXPECT_EQ(countNotWhite(), 0);
    dialog->EntryGrid().SetRow(3);  // a path that names nothing
    dialog->Logic().OnGridSelect();
    EXPECT_EQ(countNotWhite(), 0);
    dialog->EntryGrid().SetRow(30);
    dialog->Logic().OnGridSelect();
    EXPECT_EQ(preview->PixelAt(31, 31), GetSysColor(COLOR_BTNFACE) & 0xFFFFFF);
    EXPECT_GT(countNotWhite(), 500);
}

TEST_F(OptionsDialogTest, TheEditorHoldsItsPresetAndHandsBackTheRecycleBin) {
    Open();
    EnableWindow(dialog->Handle(), FALSE);  // as the modal loop leaves its owner
    win32::EntryEditorWindow editor(GetModuleHandleW(nullptr), dialog->Handle(), search);
    ASSERT_NE(editor.Handle(), nullptr);
    editor.Logic().Preset({"名前「表」", "C:\\ソフト\\表.exe", true});
    wchar_t text[128] = {};
    GetDlgItemTextW(editor.Handle(), win32::editor_ids::NameBox, text, 128);
    EXPECT_STREQ(text, L"名前「表」");
    GetDlgItemTextW(editor.Handle(), win32::editor_ids::PathBox, text, 128);
    EXPECT_STREQ(text, L"C:\\ソフト\\表.exe");
    EXPECT_EQ(IsDlgButtonChecked(editor.Handle(), win32::editor_ids::RecycleBinBox), BST_CHECKED);
    RECT client;
    GetClientRect(editor.Handle(), &client);
    EXPECT_EQ(client.right, 312);
    EXPECT_EQ(client.bottom, 246);

    SendMessageW(GetDlgItem(editor.Handle(), win32::editor_ids::OkButton), BM_CLICK, 0, 0);
    EXPECT_EQ(editor.Handle(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(dialog->Handle()));
    EXPECT_EQ(editor.Logic().Result(), (LaunchEntry{"ゴミ箱", "ゴミ箱"}));
}

TEST_F(OptionsDialogTest, FilesDroppedOnTheListBecomeEntriesInTheFreeRows) {
    Open();
    HWND listView = Control(win32::options_ids::ListGrid);
    RECT area;
    GetWindowRect(listView, &area);
    SetForegroundWindow(dialog->Handle());
    const DWORD effect = e2e::DropFilesAt(POINT{area.left + 100, area.top + 60},
                                          {L"C:\\ツール\\表.exe", L"D:\\", L"C:\\Data"}).effect;
    Pump();
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    win32::Grid& grid = dialog->EntryGrid();
    EXPECT_EQ(grid.Text(2, 0), "表.exe");
    EXPECT_EQ(grid.Text(2, 1), "C:\\ツール\\表.exe");
    EXPECT_EQ(grid.Text(4, 1), "D:\\");
    EXPECT_EQ(grid.Text(5, 0), "Data");
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(OptionsDialogTest, ClosingTheWindowAnyWayUnloadsWithoutSaving) {
    Open();
    SendMessageW(dialog->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(model.OptionsOpen);
    EXPECT_EQ(dialog->Handle(), nullptr);
    EXPECT_EQ(lookup.AnswerWindow(), nullptr) << "the lookup still answers the closed dialog's handle";
    EXPECT_FALSE(store.Exists(listFile.Path()));
}

// The counts are the process's: every lookup, this test's and earlier ones', has
// let go of its state before they are taken.
TEST_F(OptionsDialogTest, OpeningAndClosingAgainAndAgainLeavesNoHandlesBehind) {
    using namespace std::chrono_literals;
    const auto live = [] {
        std::array<long, static_cast<int>(win32::HandleKind::Count)> counts{};
        for (int kind = 0; kind < static_cast<int>(win32::HandleKind::Count); ++kind) {
            counts[kind] = LiveHandleCount(static_cast<win32::HandleKind>(kind)).load();
        }
        return counts;
    };
    const auto settled = [] { return e2e::WaitUntil([] { return win32::RunningLookupThreads() == 0; }, 30s); };
    // A share that does not answer until told: its lane outlives the dialog and the lookup.
    const std::string share = "\\\\眠る\\共有\\x.exe";
    model.List[3] = {"共有", share};
    const auto shareAnswers = std::make_shared<win32::UniqueKernelHandle>(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    // The counts the moment the lookup has gone, while the lane on the share still runs.
    const auto openAndClose = [&] {
        auto own = std::make_unique<win32::EntryLookup>(
            [share, shareAnswers](std::string_view path) {
                if (path != share) return win32::DirectorySearch().FindsEntry(path);
                WaitForSingleObject(shareAnswers->get(), 20000);
                return false;
            },
            [](std::string_view path, int side) { return win32::TargetIcon(path, side); });
        Open(*own);
        dialog->EntryGrid().SetRow(30);
        dialog->Logic().OnGridSelect();  // the recycle-bin picture
        dialog->EntryGrid().SetRow(1);
        dialog->Logic().OnGridSelect();  // notepad's icon
        e2e::WaitUntil([&] { Pump(); return own->Answer(model.List[0].Path) == EntryAnswer::Found; }, 10s);
        dialog->EntryGrid().SetRow(4);
        dialog->Logic().OnGridSelect();
        SendMessageW(dialog->Handle(), WM_CLOSE, 0, 0);
        dialog.reset();
        EXPECT_GT(win32::RunningLookupThreads(), 0) << "the lane on the share is not counted";
        own.reset();
        const auto counts = live();
        SetEvent(shareAnswers->get());
        EXPECT_TRUE(settled());
        ResetEvent(shareAnswers->get());
        return counts;
    };
    ASSERT_TRUE(settled());
    openAndClose();  // the one brush shared by every dialog stays for the run
    const auto before = live();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(openAndClose(), before) << "the icons stayed with the lane";
    EXPECT_EQ(live(), before);
}

TEST(DialogFont, IsMsPGothicAtTheRequestedSizeWhereTheFaceIsThere) {
    // The test prefix maps the face to IPAPGothic through the font substitutes.
    win32::UniqueFont font = win32::CreateDialogFont(11.25, 96);
    ASSERT_TRUE(font);
    LOGFONTW made{};
    GetObjectW(font.get(), sizeof(made), &made);
    EXPECT_STREQ(made.lfFaceName, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(made.lfHeight, -15);
    EXPECT_EQ(made.lfCharSet, SHIFTJIS_CHARSET);
    GetObjectW(win32::CreateDialogFont(12, 144).get(), sizeof(made), &made);
    EXPECT_EQ(made.lfHeight, -24);
}

TEST(FileOpenDialogFilter, BarsBecomeNulsWithADoubleNulAtTheEnd) {
    EXPECT_EQ(win32::FileDialogFilter("すべてのファイル (*.*)|*.*|"), std::wstring(L"すべてのファイル (*.*)\0*.*\0\0", 20));
}

// The launcher's search order and every later launch depend on the current folder.
TEST(FileOpenDialog, BrowsingToAnotherFolderLeavesTheCurrentFolderWhereItWas) {
    testing::TempFolder elsewhere{L"参照"};
    std::ofstream(elsewhere.Child(L"選択.txt").c_str()) << "x";
    wchar_t before[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_NE(std::wstring(before).find(elsewhere.Wide()), 0u);

    // As a person would: type the folder and Enter to go there, then the file's name.
    std::thread person([&] {
        const HWND dialog = e2e::WaitForWindowOf(GetCurrentProcessId(), e2e::IsDialog);
        if (!dialog) return;
        constexpr int FileNameBox = 0x47c;
        for (const std::wstring& typed : {elsewhere.Wide(), std::wstring(L"選択.txt")}) {
            SetDlgItemTextW(dialog, FileNameBox, typed.c_str());
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        }
        // A dialog that took neither is not left waiting for a person.
        if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    const auto chosen = win32::FileOpenDialog(nullptr).ChooseFile("すべてのファイル (*.*)|*.*|");
    person.join();

    ASSERT_TRUE(chosen);
    EXPECT_EQ(win32::ToWide(*chosen), elsewhere.Child(L"選択.txt"));
    wchar_t after[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, after);
    EXPECT_STREQ(after, before);
}

}  // namespace
}  // namespace yomorina
