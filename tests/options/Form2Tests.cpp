#include "options/Form2.h"
#include "options/Form3.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/FakeControls.h"
#include "tests/support/Fakes.h"
#include "tests/support/IconvCodePage932.h"

namespace yomorina {
namespace {

using ::testing::ElementsAre;
using namespace yomorina::testing;
using Row = std::array<std::string, 2>;

const std::string ListPath = "C:\\Tools\\Yomorina\\filelist.txt";

class Form2Test : public ::testing::Test {
protected:
    Journal journal;
    Model model;
    FakeFileStore store;
    FakeProcessInfo process;
    IconvCodePage932 codePage;
    ListFile listFile{store, codePage, process};
    FakeMessageBoxes messages{&journal};
    FakeDirectorySearch search;
    FakeEntryEditor editor;
    FakeMainWindow mainWindow{journal};
    FakeStartupShortcut startup;
    int aboutShown = 0;

    FakeGrid FG;
    FakePreviewBox Picture1;
    FakeSlider Slider1, Slider2, Slider3;
    FakeLabel Label3, Label4, Label6;
    FakeOptionGroup Option1;
    FakeCheckBox Check1;
    // Closing the window unloads the dialog, as the real window does.
    FakeDialogWindow window{[this] {
        journal.push_back("close dialog");
        form.Form_Unload();
    }};
    Form2 form{Form2Controls{FG, Picture1, Slider1, Slider2, Slider3, Label3, Label4, Label6, Option1, Check1},
               Form2Services{model, listFile, startup, messages, search, editor, window, mainWindow,
                             [this] { ++aboutShown; }}};

    void SetUp() override {
        model.Settings = {100, 5, 1, 0};
        model.OptionsOpen = true;
    }
    void OpenWith(std::initializer_list<std::pair<int, LaunchEntry>> slots) {
        for (const auto& [slot, entry] : slots) model.List[slot] = entry;
        form.Form_Load();
    }
    void FillRows(int first, int last) {
        for (int r = first; r <= last; ++r) FG.Fill(r, "n" + std::to_string(r), "C:\\p" + std::to_string(r) + ".exe");
    }
    Row At(int r) const { return FG.cells.at(r); }

    // Each opening is a fresh editor; the user's action runs while it is shown.
    void UserInEditor(std::function<void(Form3&, FakeTextBox&, FakeTextBox&, FakeCheckBox&)> action) {
        editor.onShow = [this, action](const EntryEditorPreset& preset) {
            FakeTextBox name, path;
            FakeCheckBox check;
            FakeFileOpenDialog files;
            FakeDialogWindow editorWindow;
            Form3 form3(Form3Controls{name, path, check},
                        Form3Services{FG, [this] { form.FG_Click(); }, search, messages, files, editorWindow});
            form3.Preset(preset);
            action(form3, name, path, check);
        };
    }
};

// Load and the value labels

TEST_F(Form2Test, TheDefaultSettingsOpenAt100And5And1WithTransparentAndRowOneCurrent) {
    form.Form_Load();
    EXPECT_EQ(Slider1.position, 100);
    EXPECT_EQ(Slider2.position, 5);
    EXPECT_EQ(Slider3.position, 1);
    EXPECT_EQ(Label3.caption, "100");
    EXPECT_EQ(Label4.caption, "5");
    EXPECT_EQ(Label6.caption, "1");
    EXPECT_EQ(Option1.selected, 0);
    EXPECT_EQ(FG.row, 1);
    EXPECT_EQ(At(0), (Row{"名前", "パス"}));
    EXPECT_EQ(FG.columnTwips, (std::array<int, 2>{3800, 3800}));
    for (int r = 1; r <= 30; ++r) EXPECT_EQ(FG.rowTwips[r], 300) << r;
    EXPECT_EQ(FG.rowTwips[0], 0) << "the header keeps its own height";
    EXPECT_EQ(Picture1.shows, "") << "row 1 is empty, so the preview is white";
}

TEST_F(Form2Test, TheSlidersGetTheirRangesStepsAndTicks) {
    form.Form_Load();
    EXPECT_EQ((std::array<int, 5>{Slider1.setup.Min, Slider1.setup.Max, Slider1.setup.LargeChange,
                                  Slider1.setup.SmallChange, Slider1.setup.TickFrequency}),
              (std::array<int, 5>{10, 500, 50, 1, 100}));
    for (const FakeSlider* s : {&Slider2, &Slider3}) {
        EXPECT_EQ((std::array<int, 5>{s->setup.Min, s->setup.Max, s->setup.LargeChange, s->setup.SmallChange,
                                      s->setup.TickFrequency}),
                  (std::array<int, 5>{1, 10, 1, 1, 1}));
    }
}

TEST_F(Form2Test, EachSlotShowsAtItsOwnRowAndBlankSlotsStayBlank) {
    OpenWith({{0, {"メモ帳", "C:\\windows\\notepad.exe"}},
              {2, {"名前だけ", ""}},
              {3, {"", "C:\\パスだけ"}},
              {29, {"最後", "D:\\"}}});
    EXPECT_EQ(At(1), (Row{"メモ帳", "C:\\windows\\notepad.exe"}));
    EXPECT_EQ(At(2), (Row{"", ""}));
    EXPECT_EQ(At(3), (Row{"名前だけ", ""}));
    EXPECT_EQ(At(4), (Row{"", "C:\\パスだけ"}));
    EXPECT_EQ(At(30), (Row{"最後", "D:\\"}));
}

TEST_F(Form2Test, StoredValuesOutsideTheRangesAreShownAtTheNearestEndAndAStrangePatternAsTransparent) {
    model.Settings = {5, 0, 40, 7};
    form.Form_Load();
    EXPECT_EQ(Slider1.position, 10);
    EXPECT_EQ(Label3.caption, "10");
    EXPECT_EQ(Slider2.position, 1);
    EXPECT_EQ(Label4.caption, "1");
    EXPECT_EQ(Slider3.position, 10);
    EXPECT_EQ(Label6.caption, "10");
    EXPECT_EQ(Option1.selected, 0);

    model.Settings = {900, -3, 1, -1};
    form.Form_Load();
    EXPECT_EQ(Label3.caption, "500");
    EXPECT_EQ(Label4.caption, "1");
    EXPECT_EQ(Option1.selected, 0);

    model.Settings.BackgroundPattern = 3;
    form.Form_Load();
    EXPECT_EQ(Option1.selected, 3);
}

TEST_F(Form2Test, TheValueLabelsFollowTheSlidersAsPlainDecimals) {
    form.Form_Load();
    Slider1.position = 10;
    form.Slider1_Change();
    EXPECT_EQ(Label3.caption, "10");
    Slider1.position = 500;
    form.Slider1_Change();
    EXPECT_EQ(Label3.caption, "500");
    Slider2.position = 10;
    form.Slider2_Change();
    Slider3.position = 7;
    form.Slider3_Change();
    EXPECT_EQ(Label4.caption, "10");
    EXPECT_EQ(Label6.caption, "7");
    EXPECT_EQ(model.Settings, (ScatterSettings{100, 5, 1, 0})) << "nothing is stored before OK";
}

// OK, Cancel, exit

TEST_F(Form2Test, OkStoresTheControlsInTheModelAndWritesTheFileRowByRowWithoutPacking) {
    OpenWith({{0, {"メモ帳", "C:\\windows\\notepad.exe"}}});
    FG.Fill(5, "Word, Excel", "\"C:\\Office\\winword.exe\"");  // slot 4 after an empty slot 3
    FG.Fill(30, "ゴミ箱", "ゴミ箱");
    Slider1.position = 250;
    Slider2.position = 3;
    Slider3.position = 10;
    Option1.selected = 2;
    form.Command1_Click();

    LaunchList expected;
    expected[0] = {"メモ帳", "C:\\windows\\notepad.exe"};
    expected[4] = {"Word, Excel", "\"C:\\Office\\winword.exe\""};
    expected[29] = {"ゴミ箱", "ゴミ箱"};
    EXPECT_EQ(model.Settings, (ScatterSettings{250, 3, 10, 2}));
    EXPECT_EQ(model.List, expected);
    EXPECT_EQ(store.files.at(ListPath), EncodeListFile({250, 3, 10, 2}, expected, codePage));
    // Slot 4 is lines 12 and 13: eleven line ends come before it.
    const std::string& bytes = store.files.at(ListPath);
    std::size_t at = 0;
    for (int line = 1; line < 12; ++line) at = bytes.find("\r\n", at) + 2;
    EXPECT_EQ(bytes.substr(at, 13), "Word, Excel\r\n");
    EXPECT_EQ(window.closes, 1);
    EXPECT_FALSE(model.OptionsOpen);
}

TEST_F(Form2Test, OkWithoutChangesWritesTheSameFileAgain) {
    ASSERT_FALSE(listFile.LoadListFile(model).has_value());
    model.List[7] = {"表計算", "C:\\ソフト\\表.exe"};
    ASSERT_FALSE(listFile.SaveListFile(model).has_value());
    const std::string before = store.files.at(ListPath);
    const Model kept = model;
    form.Form_Load();
    form.Command1_Click();
    EXPECT_EQ(store.writes, 3);
    EXPECT_EQ(store.files.at(ListPath), before);
    EXPECT_EQ(model.List, kept.List);
    EXPECT_EQ(model.Settings, kept.Settings);
}

TEST_F(Form2Test, WithNoOptionButtonOnThePatternKeepsItsValue) {
    model.Settings.BackgroundPattern = 3;
    form.Form_Load();
    Option1.selected = -1;
    form.Command1_Click();
    EXPECT_EQ(model.Settings.BackgroundPattern, 3);
}

TEST_F(Form2Test, AFailedSaveSaysWhyAndKeepsTheDialogOpenWithTheEditsWhileModelAndFileStayAsTheyWere) {
    ASSERT_FALSE(listFile.SaveListFile(model).has_value());
    const std::string before = store.files.at(ListPath);
    form.Form_Load();
    FG.Fill(1, "新しい", "C:\\new.exe");
    Slider1.position = 300;
    store.failWrites = true;
    form.Command1_Click();

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "エラー");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_NE(messages.shown[0].text.find("filelist.txt"), std::string::npos);
    EXPECT_NE(messages.shown[0].text.find("アクセスが拒否されました。"), std::string::npos);
    EXPECT_EQ(window.closes, 0);
    EXPECT_TRUE(model.OptionsOpen);
    EXPECT_EQ(At(1), (Row{"新しい", "C:\\new.exe"}));
    EXPECT_EQ(model.List[0], LaunchEntry{});
    EXPECT_EQ(model.Settings.MoveDistance, 100);
    EXPECT_EQ(store.files.at(ListPath), before);
    EXPECT_TRUE(mainWindow.closed == false);
    EXPECT_TRUE(startup.calls.empty()) << "the shortcut waits until the list is saved";

    // Once the folder is writable again, the same OK goes through.
    store.failWrites = false;
    form.Command1_Click();
    EXPECT_EQ(window.closes, 1);
    EXPECT_EQ(model.List[0], (LaunchEntry{"新しい", "C:\\new.exe"}));
    EXPECT_EQ(model.Settings.MoveDistance, 300);
}

TEST_F(Form2Test, CancelStoresAndWritesNothingAndTheNextOpeningShowsTheStoredState) {
    OpenWith({{0, {"a", "C:\\a.exe"}}});
    FG.Fill(1, "changed", "C:\\b.exe");
    Slider2.position = 9;
    Option1.selected = 1;
    form.Command9_Click();
    EXPECT_EQ(aboutShown, 1);
    EXPECT_EQ(window.closes, 0) << "the about box leaves the dialog open";
    form.Command2_Click();
    EXPECT_EQ(window.closes, 1);
    EXPECT_FALSE(model.OptionsOpen);
    EXPECT_EQ(store.writes, 0);
    EXPECT_EQ(model.List[0], (LaunchEntry{"a", "C:\\a.exe"}));
    EXPECT_EQ(model.Settings, (ScatterSettings{100, 5, 1, 0}));

    FG.cells = {};  // every opening is a new window
    form.Form_Load();
    EXPECT_EQ(At(1), (Row{"a", "C:\\a.exe"}));
    EXPECT_EQ(Slider2.position, 5);
    EXPECT_EQ(Option1.selected, 0);
}

// Start at sign-in: the box shows the Startup folder and only OK changes it

TEST_F(Form2Test, TheStartAtSignInBoxIsTickedExactlyWhenTheShortcutStartsThisCopy) {
    form.Form_Load();
    EXPECT_FALSE(Check1.checked) << "nothing in the Startup folder unless the user asks";
    startup.set = true;
    form.Form_Load();
    EXPECT_TRUE(Check1.checked);
    EXPECT_TRUE(startup.calls.empty()) << "opening the dialog writes nothing";
}

TEST_F(Form2Test, OkMakesOrRemovesTheShortcutAsTheBoxSaysAfterSavingTheList) {
    form.Form_Load();
    Check1.checked = true;
    form.Command1_Click();
    EXPECT_EQ(startup.calls, std::vector<bool>{true});
    EXPECT_TRUE(startup.set);
    EXPECT_EQ(store.writes, 1);
    EXPECT_EQ(window.closes, 1);

    form.Form_Load();
    EXPECT_TRUE(Check1.checked);
    Check1.checked = false;
    form.Command1_Click();
    EXPECT_EQ(startup.calls, (std::vector<bool>{true, false}));
    EXPECT_FALSE(startup.set);
    EXPECT_EQ(window.closes, 2);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Form2Test, CancelAndExitLeaveTheShortcutAsItWasWhateverTheBox) {
    form.Form_Load();
    Check1.checked = true;
    form.Command2_Click();
    startup.set = true;
    form.Form_Load();
    Check1.checked = false;
    messages.answer = MessageAnswer::Yes;
    form.Command10_Click();
    EXPECT_TRUE(startup.calls.empty());
    EXPECT_TRUE(startup.set);
}

TEST_F(Form2Test, AFailedShortcutSaysSoAndKeepsTheDialogOpenWithTheEditsAndTheListSaved) {
    form.Form_Load();
    FG.Fill(1, "新しい", "C:\\new.exe");
    Check1.checked = true;
    startup.failure = "C:\\Startup\\ヨモリナ.lnk\r\nアクセスが拒否されました。 (5)";
    form.Command1_Click();

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "エラー");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages.shown[0].text,
              "スタートアップへの登録に失敗しました。\r\nC:\\Startup\\ヨモリナ.lnk\r\nアクセスが拒否されました。 (5)");
    EXPECT_EQ(window.closes, 0);
    EXPECT_TRUE(model.OptionsOpen);
    EXPECT_TRUE(Check1.checked);
    EXPECT_EQ(At(1), (Row{"新しい", "C:\\new.exe"}));
    EXPECT_EQ(model.List[0], (LaunchEntry{"新しい", "C:\\new.exe"})) << "the list is saved all the same";
    LaunchList expected;
    expected[0] = {"新しい", "C:\\new.exe"};
    EXPECT_EQ(store.files.at(ListPath), EncodeListFile(model.Settings, expected, codePage));

    // Unticking can fail too, and says which way.
    startup.set = true;
    Check1.checked = false;
    form.Command1_Click();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text.substr(0, messages.shown[1].text.find('\r')), "スタートアップからの削除に失敗しました。");
    EXPECT_EQ(window.closes, 0);

    // Once the folder takes it, the same OK goes through.
    startup.failure.reset();
    form.Command1_Click();
    EXPECT_EQ(window.closes, 1);
    EXPECT_FALSE(startup.set);
}

TEST_F(Form2Test, ExitAnsweredNoChangesNothingAndYesClosesTheDialogThenTheMainWindowWithoutSaving) {
    form.Form_Load();
    FG.Fill(1, "unsaved", "C:\\u.exe");
    messages.answer = MessageAnswer::No;
    form.Command10_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "ヨモリナを終了しますか？");
    EXPECT_EQ(messages.shown[0].title, "メッセージ");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(window.closes, 0);
    EXPECT_FALSE(mainWindow.closed);
    EXPECT_TRUE(model.OptionsOpen);

    messages.answer = MessageAnswer::Yes;
    journal.clear();
    form.Command10_Click();
    EXPECT_THAT(journal, ElementsAre("message メッセージ: ヨモリナを終了しますか？", "close dialog", "close window"));
    EXPECT_FALSE(model.OptionsOpen);
    EXPECT_EQ(store.writes, 0);
}

// The preview

TEST_F(Form2Test, ThePreviewShowsTheCurrentRowsIconOnlyForAnExistingTarget) {
    search.existing = {"C:\\windows\\notepad.exe", "C:\\Data"};
    OpenWith({{0, {"メモ帳", "C:\\windows\\notepad.exe"}},
              {1, {"ゴミ箱", "ゴミ箱"}},
              {2, {"消えた", "C:\\gone.exe"}},
              {3, {"名前だけ", ""}},
              {4, {"", "C:\\Data"}}});
    EXPECT_EQ(Picture1.shows, "C:\\windows\\notepad.exe") << "Load previews row 1";
    EXPECT_THAT(Picture1.calls, ElementsAre("clear", "icon C:\\windows\\notepad.exe"));

    const std::pair<int, std::string> cases[] = {
        {2, "recycle bin"}, {3, ""}, {4, ""}, {5, "C:\\Data"}, {6, ""}, {1, "C:\\windows\\notepad.exe"}};
    for (const auto& [row, shows] : cases) {
        Picture1.shows = "stale";
        FG.row = row;
        form.FG_Click();
        EXPECT_EQ(Picture1.shows, shows) << "row " << row;
    }
    EXPECT_THAT(search.asked, ::testing::Not(::testing::Contains("ゴミ箱")));
}

// Edit and Add

TEST_F(Form2Test, EditRefusesABlankRowAndOtherwisePresetsTheEditorFromTheCurrentRow) {
    // The recycle bin is known by its path: an ordinary folder may be named "ゴミ箱".
    OpenWith({{0, {"メモ帳", "C:\\n.exe"}}, {2, {"名前だけ", ""}}, {3, {"ゴミ箱", "ゴミ箱"}}, {4, {"", "C:\\p"}},
              {5, {"ゴミ箱", "D:\\ゴミ箱"}}, {6, {"屑入れ", "ゴミ箱"}}});
    FG.row = 2;
    form.Command6_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "空欄の行は編集できません。");
    EXPECT_EQ(messages.shown[0].title, "エラー");
    EXPECT_TRUE(editor.shown.empty());

    for (int row : {1, 3, 4, 5, 6, 7}) {
        FG.row = row;
        form.Command6_Click();
        EXPECT_EQ(FG.row, row) << "Edit leaves the current row";
    }
    ASSERT_EQ(editor.shown.size(), 6u);
    EXPECT_EQ(editor.shown[0].Name, "メモ帳");
    EXPECT_EQ(editor.shown[0].Path, "C:\\n.exe");
    EXPECT_FALSE(editor.shown[0].RecycleBin);
    EXPECT_EQ(editor.shown[1].Name, "名前だけ");
    EXPECT_EQ(editor.shown[1].Path, "");
    EXPECT_TRUE(editor.shown[2].RecycleBin);
    EXPECT_EQ(editor.shown[3].Name, "");
    EXPECT_FALSE(editor.shown[3].RecycleBin);
    EXPECT_FALSE(editor.shown[4].RecycleBin);
    EXPECT_TRUE(editor.shown[5].RecycleBin);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(Form2Test, AddOpensAnEmptyEditorOnTheFirstRowWithoutAPathAndThatRowStaysCurrentAfterCancel) {
    form.Form_Load();
    FillRows(1, 5);
    FG.Fill(3, "", "");
    FG.row = 5;
    int rowWhenShown = 0;
    editor.onShow = [&](const EntryEditorPreset&) { rowWhenShown = FG.row; };
    form.Command8_Click();
    EXPECT_EQ(rowWhenShown, 3);
    ASSERT_EQ(editor.shown.size(), 1u);
    EXPECT_EQ(editor.shown[0].Name, "");
    EXPECT_EQ(editor.shown[0].Path, "");
    EXPECT_FALSE(editor.shown[0].RecycleBin);
    EXPECT_EQ(FG.row, 3);
    EXPECT_EQ(At(3), (Row{"", ""}));

    // A name without a path is a free row too.
    FG.Fill(3, "c", "C:\\c.exe");
    FG.Fill(6, "名前だけ", "");
    form.Command8_Click();
    EXPECT_EQ(FG.row, 6);
}

TEST_F(Form2Test, AddOnAFullListSaysSoAndOpensNothing) {
    form.Form_Load();
    FillRows(1, 30);
    FG.row = 12;
    form.Command8_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "これ以上追加できません。");
    EXPECT_EQ(messages.shown[0].title, "エラー");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(editor.shown.empty());
    EXPECT_EQ(FG.row, 12);
}

// Delete

TEST_F(Form2Test, DeleteAsksWithTheNameAndOnYesClosesUpTheRowsBelow) {
    form.Form_Load();
    FillRows(1, 30);
    FG.row = 4;
    form.Command7_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "n4を削除しますか？");
    EXPECT_EQ(messages.shown[0].title, "確認");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(FG.row, 4);
    EXPECT_EQ(At(3), (Row{"n3", "C:\\p3.exe"}));
    for (int r = 4; r <= 29; ++r) EXPECT_EQ(At(r)[0], "n" + std::to_string(r + 1));
    EXPECT_EQ(At(30), (Row{"", ""}));
}

TEST_F(Form2Test, DeleteOnRowThirtyOnlyClearsItAndOnABlankRowStillAsks) {
    form.Form_Load();
    FillRows(28, 30);
    FG.row = 30;
    form.Command7_Click();
    EXPECT_EQ(At(29), (Row{"n29", "C:\\p29.exe"}));
    EXPECT_EQ(At(30), (Row{"", ""}));

    FG.row = 27;  // blank, above filled rows
    form.Command7_Click();
    EXPECT_EQ(messages.shown.back().text, "を削除しますか？");
    EXPECT_EQ(At(27), (Row{"n28", "C:\\p28.exe"}));
    EXPECT_EQ(At(28), (Row{"n29", "C:\\p29.exe"}));
    EXPECT_EQ(At(29), (Row{"", ""}));
}

TEST_F(Form2Test, DeleteAnsweredNoChangesNothing) {
    form.Form_Load();
    FillRows(1, 3);
    const auto before = FG.cells;
    messages.answer = MessageAnswer::No;
    FG.row = 2;
    form.Command7_Click();
    EXPECT_EQ(FG.cells, before);
    EXPECT_EQ(FG.row, 2);
}

// Moves: up tests the moving row's path, down the name of the row below

TEST_F(Form2Test, MoveUpNeedsAPathAndARowAbove) {
    form.Form_Load();
    FillRows(1, 3);
    const auto before = FG.cells;
    FG.row = 1;
    form.Command4_Click();
    EXPECT_EQ(FG.cells, before);
    EXPECT_EQ(FG.row, 1);

    FG.Fill(3, "名前だけ", "");
    FG.row = 3;
    form.Command4_Click();
    EXPECT_EQ(At(2), (Row{"n2", "C:\\p2.exe"}));
    EXPECT_EQ(FG.row, 3);

    FG.row = 2;
    form.Command4_Click();
    EXPECT_EQ(At(1), (Row{"n2", "C:\\p2.exe"}));
    EXPECT_EQ(At(2), (Row{"n1", "C:\\p1.exe"}));
    EXPECT_EQ(FG.row, 1);
}

TEST_F(Form2Test, MovingUpIntoABlankRowLeavesTheBlankBelowWithTheCurrentRowOnTheEntry) {
    form.Form_Load();
    FG.Fill(5, "e", "C:\\e.exe");
    FG.row = 5;
    form.Command4_Click();
    EXPECT_EQ(At(4), (Row{"e", "C:\\e.exe"}));
    EXPECT_EQ(At(5), (Row{"", ""}));
    EXPECT_EQ(FG.row, 4);
}

TEST_F(Form2Test, MoveDownNeedsARowBelowWithAName) {
    form.Form_Load();
    FillRows(28, 30);
    const auto before = FG.cells;
    FG.row = 30;
    form.Command5_Click();
    EXPECT_EQ(FG.cells, before);

    FG.Fill(2, "a", "C:\\a.exe");
    FG.Fill(3, "", "C:\\path-without-name");
    FG.row = 2;
    form.Command5_Click();
    EXPECT_EQ(At(2), (Row{"a", "C:\\a.exe"})) << "an entry never moves down into a row without a name";
    EXPECT_EQ(FG.row, 2);

    FG.row = 28;
    form.Command5_Click();
    EXPECT_EQ(At(28), (Row{"n29", "C:\\p29.exe"}));
    EXPECT_EQ(At(29), (Row{"n28", "C:\\p28.exe"}));
    EXPECT_EQ(FG.row, 29);
}

TEST_F(Form2Test, ABlankCurrentRowAboveAnEntryMovesDownAndTheEntryComesUp) {
    form.Form_Load();
    FG.Fill(8, "x", "C:\\x.exe");
    FG.row = 7;
    form.Command5_Click();
    EXPECT_EQ(At(7), (Row{"x", "C:\\x.exe"}));
    EXPECT_EQ(At(8), (Row{"", ""}));
    EXPECT_EQ(FG.row, 8);
}

// Files dropped on the grid

TEST_F(Form2Test, DroppedFilesFillTheFirstFreeRowsNamedAfterTheirLastBackslash) {
    form.Form_Load();
    FG.Fill(1, "kept", "C:\\kept.exe");
    FG.Fill(2, "名前だけ", "");
    FG.row = 9;
    Picture1.shows = "before";
    form.FG_OLEDragDrop({true, {"C:\\Tools\\app.exe", "C:\\Data", "D:\\", "C:\\表\\ソフト.exe"}});
    EXPECT_EQ(At(1), (Row{"kept", "C:\\kept.exe"}));
    EXPECT_EQ(At(2), (Row{"app.exe", "C:\\Tools\\app.exe"}));
    EXPECT_EQ(At(3), (Row{"Data", "C:\\Data"}));
    EXPECT_EQ(At(4), (Row{"", "D:\\"}));
    EXPECT_EQ(At(5), (Row{"ソフト.exe", "C:\\表\\ソフト.exe"}));
    EXPECT_EQ(FG.row, 9);
    EXPECT_EQ(Picture1.shows, "before");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(search.asked.empty()) << "dropped paths are not tested";

    const auto before = FG.cells;
    form.FG_OLEDragDrop({false, {}});  // not a file list
    EXPECT_EQ(FG.cells, before);
}

TEST_F(Form2Test, WhenTheListFillsUpTheRestOfADropIsRefusedOnce) {
    form.Form_Load();
    FillRows(1, 30);
    FG.Fill(10, "", "");
    FG.Fill(20, "", "");
    form.FG_OLEDragDrop({true, {"C:\\one", "C:\\two", "C:\\three", "C:\\four"}});
    EXPECT_EQ(At(10), (Row{"one", "C:\\one"}));
    EXPECT_EQ(At(20), (Row{"two", "C:\\two"}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "これ以上追加できません。");

    const auto full = FG.cells;
    form.FG_OLEDragDrop({true, {"C:\\five"}});
    EXPECT_EQ(FG.cells, full);
    EXPECT_EQ(messages.shown.size(), 2u);
}

// Together with the entry editor, as the user meets them

TEST_F(Form2Test, AnEntryAddedThroughTheEditorIsPreviewedAndSavedOnOk) {
    search.existing = {"C:\\Tools\\app.exe"};
    OpenWith({{0, {"a", "C:\\a.exe"}}});
    UserInEditor([](Form3& form3, FakeTextBox& name, FakeTextBox& path, FakeCheckBox&) {
        name.text = "アプリ";
        path.text = "C:\\Tools\\app.exe";
        form3.Command1_Click();
    });
    form.Command8_Click();
    EXPECT_EQ(FG.cells[2], (Row{"アプリ", "C:\\Tools\\app.exe"}));
    EXPECT_EQ(Picture1.shows, "C:\\Tools\\app.exe");
    EXPECT_EQ(model.List[1], LaunchEntry{}) << "nothing reaches the model before OK";

    form.Command1_Click();
    EXPECT_EQ(model.List[1], (LaunchEntry{"アプリ", "C:\\Tools\\app.exe"}));
    const std::string& bytes = store.files.at(ListPath);
    EXPECT_NE(bytes.find(" 1 \r\na\r\nC:\\a.exe\r\n\x83\x41\x83\x76\x83\x8A\r\nC:\\Tools\\app.exe\r\n\r\n"),
              std::string::npos);
}

TEST_F(Form2Test, UncheckingTheRecycleBinOfAnEditedRowMakesItAnOrdinaryEntry) {
    search.existing = {"C:\\Tools\\app.exe"};
    OpenWith({{0, {"ゴミ箱", "ゴミ箱"}}});
    EXPECT_EQ(Picture1.shows, "recycle bin");
    bool startedChecked = false;
    UserInEditor([&](Form3& form3, FakeTextBox& name, FakeTextBox& path, FakeCheckBox& check) {
        startedChecked = check.checked;
        check.checked = false;
        name.text = "道具";
        path.text = "C:\\Tools\\app.exe";
        form3.Command1_Click();
    });
    form.Command6_Click();
    EXPECT_TRUE(startedChecked);
    EXPECT_EQ(FG.cells[1], (Row{"道具", "C:\\Tools\\app.exe"}));
    EXPECT_EQ(Picture1.shows, "C:\\Tools\\app.exe");
}

}  // namespace
}  // namespace yomorina
