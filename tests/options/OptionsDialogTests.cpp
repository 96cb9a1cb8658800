#include "options/OptionsDialog.h"
#include "options/EntryEditor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/CallKey.h"
#include "tests/support/FakeControls.h"
#include "tests/support/Fakes.h"
#include "tests/support/IconvCodePage932.h"
#include "tests/support/Speaking.h"

namespace yomorina {
namespace {

using ::testing::ElementsAre;
using namespace yomorina::testing;
using Row = std::array<std::string, 2>;

const std::string ListPath = "C:\\Tools\\Yomorina\\filelist.txt";

class OptionsDialogTest : public ::testing::Test {
protected:
    Journal journal;
    Model model;
    FakeFileStore store;
    FakeExecutableFolder executableFolder;
    IconvCodePage932 codePage;
    ListFile listFile{store, codePage, executableFolder};
    FakeMessageBoxes messages{&journal};
    FakeDirectorySearch search;
    FakeEntryEditorDialog editor;
    FakeMainWindow mainWindow{journal};
    FakeStartupShortcut startup;
    FakeCallKeyHolder callKey;
    FakeKeyboardLayouts layouts;

    FakeGrid grid;
    FakePreviewBox preview;
    FakeCheckBox startAtSignInBox;
    // Each setting's controls by its kind, as the options window makes them.
    std::array<FakeSlider, SettingCount> sliders;
    std::array<FakeLabel, SettingCount> besides;
    FakeOptionGroup patternChoice;
    FakeKeyBox callKeyBox;
    FakeSlider &distanceSlider = sliders[0], &leadInSlider = sliders[1], &scatterSlider = sliders[2];
    FakeLabel &distanceValue = besides[0], &leadInValue = besides[1], &scatterValue = besides[2],
              &callKeyNote = besides[CallKeySetting];
    std::array<SettingControls, SettingCount> ControlsByKind() {
        std::array<SettingControls, SettingCount> controls{};
        for (int i = 0; i < SettingCount; ++i) {
            const SettingControl kind = Settings[i].Control;
            if (kind == SettingControl::Slider) controls[i] = {.slider = &sliders[i], .beside = &besides[i]};
            if (kind == SettingControl::OptionGroup) controls[i] = {.choice = &patternChoice};
            if (kind == SettingControl::KeyBox) controls[i] = {.keyBox = &callKeyBox, .beside = &besides[i]};
        }
        return controls;
    }
    // Closing the window unloads the dialog, as the real window does.
    FakeDialogWindow window{[this] {
        journal.push_back("close dialog");
        dialog.OnClosed();
    }};
    struct : AboutBoxDialog { int shown = 0; void ShowModal() override { ++shown; } } about;
    OptionsDialog dialog{OptionsDialogControls{grid, preview, startAtSignInBox, ControlsByKind()},
                         OptionsDialogServices{model, listFile, startup, messages, search, editor, window, mainWindow,
                                               callKey, layouts, about}};

    void SetUp() override {
        model.Settings = {100, 5, 1, 0};
        model.OptionsOpen = true;
    }
    void OpenWith(std::initializer_list<std::pair<int, LaunchEntry>> slots) {
        for (const auto& [slot, entry] : slots) model.List[slot] = entry;
        dialog.Load();
    }
    static Row N(int r) { return {"n" + std::to_string(r), "C:\\p" + std::to_string(r) + ".exe"}; }
    void Put(int r, const Row& row) { model.List.at(r - 1) = {row[0], row[1]}; }
    void FillRows(int first, int last) {  // in the model, and blanks the others
        for (int r = 1; r <= 30; ++r) Put(r, r >= first && r <= last ? N(r) : Row{});
    }
    // The user gives the row a new entry through the editor, as Edit or, on a blank row, Add opens it.
    void EditRow(int r, const Row& row) {
        grid.row = r;
        editor.onShow = [row](const EntryEditorPreset&) { return LaunchEntry{row[0], row[1]}; };
        At(r) == Row{} ? dialog.OnAdd() : dialog.OnEdit();
        editor.onShow = nullptr;
    }
    Row At(int r) const { return grid.cells.at(r); }
    using Preset = std::tuple<std::string, std::string, bool>;
    std::vector<Preset> EditorPresets() const {
        std::vector<Preset> presets;
        for (const auto& shown : editor.shown) presets.emplace_back(shown.Name, shown.Path, shown.RecycleBin);
        return presets;
    }

    // Each opening is a fresh editor; the user's action runs while it is shown.
    void UserInEditor(std::function<void(EntryEditor&, FakeTextBox&, FakeTextBox&, FakeCheckBox&)> action) {
        editor.onShow = [this, action](const EntryEditorPreset& preset) {
            FakeTextBox name, path;
            FakeCheckBox check;
            FakeFileOpenDialog files;
            FakeDialogWindow editorWindow;
            EntryEditor entryEditor(EntryEditorControls{name, path, check},
                                    EntryEditorServices{search, messages, files, editorWindow});
            entryEditor.Preset(preset);
            action(entryEditor, name, path, check);
            return entryEditor.Result();
        };
    }
};

// Load and the value labels

TEST_F(OptionsDialogTest, StoredValuesOpenHeldToTheSliderRangesAStrangePatternAsTransparentAndRowOneCurrent) {
    const struct {
        ScatterSettings stored;
        std::array<int, 4> shown;  // the three sliders, then the pattern
    } cases[] = {{{100, 5, 1, 0}, {100, 5, 1, 0}}, {{5, 0, 40, 7}, {10, 1, 10, 0}},
                 {{900, -3, 1, -1}, {500, 1, 1, 0}}, {{100, 5, 1, 3}, {100, 5, 1, 3}}};
    for (const auto& c : cases) {
        model.Settings = c.stored;
        dialog.Load();
        EXPECT_EQ((std::array<int, 4>{distanceSlider.position, leadInSlider.position, scatterSlider.position,
                                      patternChoice.selected}), c.shown);
        EXPECT_EQ(distanceValue.caption + " " + leadInValue.caption + " " + scatterValue.caption,
                  std::to_string(c.shown[0]) + " " + std::to_string(c.shown[1]) + " " + std::to_string(c.shown[2]));
    }
    EXPECT_EQ(grid.row, 1);
    EXPECT_EQ(At(0), (Row{"名前", "パス"}));
    EXPECT_EQ(preview.shows, "") << "row 1 is empty, so the preview is white";

    // The value labels follow the sliders, as plain decimals; nothing is stored before OK.
    for (int setting = 0; setting < 3; ++setting) {
        sliders[setting].position = std::array{500, 10, 7}[setting];
        dialog.OnSliderMoved(setting);
    }
    EXPECT_EQ(distanceValue.caption + " " + leadInValue.caption + " " + scatterValue.caption, "500 10 7");
    EXPECT_EQ(model.Settings, (ScatterSettings{100, 5, 1, 3}));
}

TEST_F(OptionsDialogTest, EachSlotShowsAtItsOwnRowBlankSlotsStayBlankAndTheRecycleBinInTheUsersLanguage) {
    OpenWith({{0, {"メモ帳", "C:\\windows\\notepad.exe"}}, {2, {"名前だけ", ""}}, {3, {"", "C:\\パスだけ"}},
              {29, {"最後", "D:\\"}}});
    EXPECT_EQ((std::vector<Row>{At(1), At(2), At(3), At(4), At(30)}),
              (std::vector<Row>{{"メモ帳", "C:\\windows\\notepad.exe"}, {"", ""}, {"名前だけ", ""}, {"", "C:\\パスだけ"},
                                {"最後", "D:\\"}}));

    // Only shown so: OK saves the marker as it is, and a name of the user's stays theirs.
    const Speaking english(EnglishTexts);
    OpenWith({{4, {"ゴミ箱", "ゴミ箱"}}, {5, {"屑入れ", "ゴミ箱"}}, {6, {"ゴミ箱", "D:\\ゴミ箱"}}});
    EXPECT_EQ((std::vector<Row>{At(5), At(6), At(7)}),
              (std::vector<Row>{{"Recycle Bin", "Recycle Bin"}, {"屑入れ", "Recycle Bin"}, {"ゴミ箱", "D:\\ゴミ箱"}}));
    const LaunchList stored = model.List;
    dialog.OnOk();
    EXPECT_EQ(store.files.at(ListPath), EncodeListFile(model.Settings, stored, codePage));
}

// OK, Cancel, exit

TEST_F(OptionsDialogTest, OkStoresTheControlsInTheModelAndWritesTheFileRowByRowWithoutPacking) {
    // Slot 4 after an empty slot 3.
    OpenWith({{0, {"メモ帳", "C:\\windows\\notepad.exe"}}, {4, {"Word, Excel", "\"C:\\Office\\winword.exe\""}},
              {29, {"ゴミ箱", "ゴミ箱"}}});
    distanceSlider.position = 250;
    leadInSlider.position = 3;
    scatterSlider.position = 10;
    patternChoice.selected = 2;
    dialog.OnOk();

    LaunchList expected;
    expected[0] = {"メモ帳", "C:\\windows\\notepad.exe"};
    expected[4] = {"Word, Excel", "\"C:\\Office\\winword.exe\""};
    expected[29] = {"ゴミ箱", "ゴミ箱"};
    EXPECT_EQ(model.Settings, (ScatterSettings{250, 3, 10, 2}));
    EXPECT_EQ(model.List, expected);
    // Written out in code page 932: slots 1 to 3 and 5 to 28 stay empty lines.
    const auto empty = [](int slots) { std::string lines; while (slots-- > 0) lines += "\r\n\r\n"; return lines; };
    EXPECT_EQ(store.files.at(ListPath), " 250 \r\n 3 \r\n 10 \r\n\x83\x81\x83\x82\x92\xA0\r\nC:\\windows\\notepad.exe\r\n" +
                                            empty(3) + "Word, Excel\r\n\"C:\\Office\\winword.exe\"\r\n" + empty(24) +
                                            "\x83\x53\x83\x7E\x94\xA0\r\n\x83\x53\x83\x7E\x94\xA0\r\n 2 \r\n");
    EXPECT_EQ(window.closes, 1);
    EXPECT_FALSE(model.OptionsOpen);
}

TEST_F(OptionsDialogTest, OkWithoutChangesWritesTheSameFileAgain) {
    ASSERT_FALSE(listFile.Load(model).has_value());
    model.List[7] = {"表計算", "C:\\ソフト\\表.exe"};
    ASSERT_FALSE(listFile.Save(model).has_value());
    const std::string before = store.files.at(ListPath);
    const Model kept = model;
    dialog.Load();
    dialog.OnOk();
    EXPECT_EQ(store.writes, 3);
    EXPECT_EQ(store.files.at(ListPath), before);
    EXPECT_EQ(model.List, kept.List);
    EXPECT_EQ(model.Settings, kept.Settings);
}

TEST_F(OptionsDialogTest, WithNoOptionButtonOnThePatternKeepsItsValue) {
    model.Settings.BackgroundPattern = 3;
    dialog.Load();
    patternChoice.selected = -1;
    dialog.OnOk();
    EXPECT_EQ(model.Settings.BackgroundPattern, 3);
}

TEST_F(OptionsDialogTest, AFailedSaveSaysWhyAndKeepsTheDialogOpenWithTheEditsWhileTheModelStaysAsItWas) {
    dialog.Load();
    EditRow(1, {"新しい", "C:\\new.exe"});
    distanceSlider.position = 300;
    callKeyBox.key = 1625;
    store.failWrites = true;
    dialog.OnOk();
    EXPECT_EQ(callKey.held, 0) << "the key does nothing while the dialog stays open";

    EXPECT_EQ(messages.shown, (ShownMessages{{"設定ファイル filelist.txt を保存できませんでした。\r\n" + ListPath +
                                                  "\r\nアクセスが拒否されました。 (5)", "エラー", MessageButtons::Ok}}));
    EXPECT_EQ(window.closes, 0);
    EXPECT_TRUE(model.OptionsOpen);
    EXPECT_EQ(At(1), (Row{"新しい", "C:\\new.exe"}));
    EXPECT_EQ(model.List[0], LaunchEntry{});
    EXPECT_EQ(model.Settings.MoveDistance, 100);
    EXPECT_FALSE(mainWindow.closed);
    EXPECT_TRUE(startup.calls.empty()) << "the shortcut waits until the list is saved";

    // Once the folder is writable again, the same OK goes through.
    store.failWrites = false;
    dialog.OnOk();
    EXPECT_EQ(window.closes, 1);
    EXPECT_EQ(model.List[0], (LaunchEntry{"新しい", "C:\\new.exe"}));
    EXPECT_EQ(model.Settings.MoveDistance, 300);
    EXPECT_EQ(callKey.held, 1625);
}

TEST_F(OptionsDialogTest, CancelStoresAndWritesNothingAndTheNextOpeningShowsTheStoredState) {
    OpenWith({{0, {"a", "C:\\a.exe"}}});
    EditRow(1, {"changed", "C:\\b.exe"});
    leadInSlider.position = 9;
    patternChoice.selected = 1;
    dialog.OnVersion();
    EXPECT_EQ(about.shown, 1);
    EXPECT_EQ(window.closes, 0) << "the about box leaves the dialog open";
    dialog.OnCancel();
    EXPECT_EQ(window.closes, 1);
    EXPECT_FALSE(model.OptionsOpen);
    EXPECT_EQ(store.writes, 0);
    EXPECT_EQ(model.List[0], (LaunchEntry{"a", "C:\\a.exe"}));
    EXPECT_EQ(model.Settings, (ScatterSettings{100, 5, 1, 0}));

    grid.cells = {};  // every opening is a new window
    dialog.Load();
    EXPECT_EQ(At(1), (Row{"a", "C:\\a.exe"}));
    EXPECT_EQ(leadInSlider.position, 5);
    EXPECT_EQ(patternChoice.selected, 0);
}

TEST_F(OptionsDialogTest, OkOverAFileNotSeenAsItIsAsksAndNoSavesNothingAndKeepsTheDialog) {
    const std::string handEdit = EncodeListFile(DefaultSettings, {LaunchEntry{"手で", "C:\\hand.exe"}}, codePage);
    for (const bool readable : {false, true}) {
        store = FakeFileStore{};
        messages.shown.clear();
        window.closes = 0;
        model.OptionsOpen = true;
        // Unreadable from start-up on, or edited by hand after the opening.
        if (!readable) store.unreadable[ListPath] = "held";
        listFile.Load(model);
        dialog.Load();
        store.files[ListPath] = handEdit;
        EditRow(1, {"新しい", "C:\\new.exe"});
        messages.answer = MessageAnswer::No;
        dialog.OnOk();
        const std::string why = readable ? "設定ファイル filelist.txt は、この画面を開いた後に変更されています。"
                                         : "設定ファイル filelist.txt を読み込めなかったため、その内容はこの画面に表示されていません。";
        EXPECT_EQ(messages.shown, (ShownMessages{{why + "\r\nこの画面の内容で置き換えますか？", "確認", MessageButtons::YesNo}}));
        EXPECT_EQ(store.files.at(ListPath), handEdit);
        EXPECT_EQ(window.closes, 0);

        messages.answer = MessageAnswer::Yes;
        dialog.OnOk();
        EXPECT_EQ(window.closes, 1) << readable;
        EXPECT_EQ(model.List[0], (LaunchEntry{"新しい", "C:\\new.exe"}));
        EXPECT_NE(store.files.at(ListPath).find("\r\n\x90\x56\x82\xB5\x82\xA2\r\nC:\\new.exe\r\n"), std::string::npos);
    }
}

TEST_F(OptionsDialogTest, AHandEditWhileOpenIsTakenWhenCancelClosesTheDialog) {
    dialog.Load();
    const ScatterSettings withKey{100, 5, 1, 0, 1625};
    store.files[ListPath] = EncodeListFile(withKey, {LaunchEntry{"手で", "C:\\hand.exe"}}, codePage);
    dialog.OnCancel();
    EXPECT_EQ(model.List[0].Name, "手で");
    EXPECT_EQ(callKey.held, 1625) << "the key, let go while the dialog was open, is taken again";
}

// A stored key refused when last tried (another program holds it, it types a
// character in a layout of the user's, it is the system's) is noted beside the
// box and kept on OK; a newly chosen one is refused with the reason, nothing
// saved; every close tries again.
TEST_F(OptionsDialogTest, ARefusedStoredKeyIsNotedAndKeptOnOkWhileANewOneIsRefusedWithTheReason) {
    const struct {
        std::uint16_t stored, chosen;
        std::string note, message;
    } cases[] = {{1625, 1619, "（他のアプリが使用中）", "このキーは他のプログラムが使っています。"},
                 {CtrlAlt | 'Q', CtrlAlt | 'E', "（文字の入力に使用）", "このキーは文字の入力に使われます。"},
                 {0x0473, 0x0273, "（システムが使用）", "このキーはシステムが使っています。"}};  // Alt+F4, Ctrl+F4
    callKey.heldByOthers = {1625, 1619};
    layouts.installed = {GermanLayout};
    const auto typeAndOk = [&](std::uint16_t key) {
        callKeyBox.key = key;
        dialog.OnCallKeyTyped();
        const std::string note = callKeyNote.caption;
        messages.shown.clear();
        dialog.OnOk();
        return std::tuple(note, messages.shown.empty() ? "" : messages.shown[0].text, model.OptionsOpen);
    };
    for (const auto& c : cases) {
        model.Settings.CallKey = c.stored;
        model.OptionsOpen = false;
        HoldStoredCallKey(model, callKey, layouts);  // as at start-up
        EXPECT_EQ(callKey.held, 0);
        model.OptionsOpen = true;
        ASSERT_FALSE(listFile.Save(model).has_value());
        const std::string before = store.files.at(ListPath);
        dialog.Load();
        EXPECT_EQ(typeAndOk(c.chosen), std::tuple(std::string(), c.message, true)) << "a new key, refused";
        EXPECT_EQ(typeAndOk(c.stored), std::tuple(c.note, std::string(), false)) << "the stored one, kept";
        EXPECT_EQ(store.files.at(ListPath), before);
        EXPECT_EQ(callKey.held, 0);
    }
    callKey.heldByOthers.clear();
    model.Settings.CallKey = 1625;
    model.OptionsOpen = true;
    dialog.OnCancel();
    EXPECT_EQ(callKey.held, 1625) << "let go by the other program, taken at the next close";
    EXPECT_EQ(model.StoredCallKeyRefusal, CallKeyRefusal::None);
}

// Start at sign-in: the box shows the Startup folder and only OK changes it

TEST_F(OptionsDialogTest, TheBoxIsTickedExactlyWhenTheShortcutIsThereAndOkMakesOrRemovesItAfterSavingTheList) {
    dialog.Load();
    EXPECT_FALSE(startAtSignInBox.checked) << "nothing in the Startup folder unless the user asks";
    EXPECT_TRUE(startup.calls.empty()) << "opening the dialog writes nothing";
    startAtSignInBox.checked = true;
    dialog.OnOk();
    EXPECT_EQ(startup.calls, std::vector<bool>{true});
    EXPECT_TRUE(startup.set);
    EXPECT_EQ(store.writes, 1);
    EXPECT_EQ(window.closes, 1);

    dialog.Load();
    EXPECT_TRUE(startAtSignInBox.checked);
    startAtSignInBox.checked = false;
    dialog.OnOk();
    EXPECT_EQ(startup.calls, (std::vector<bool>{true, false}));
    EXPECT_FALSE(startup.set);
    EXPECT_EQ(window.closes, 2);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OptionsDialogTest, CancelAndExitLeaveTheShortcutAsItWasWhateverTheBox) {
    dialog.Load();
    startAtSignInBox.checked = true;
    dialog.OnCancel();
    startup.set = true;
    dialog.Load();
    startAtSignInBox.checked = false;
    messages.answer = MessageAnswer::Yes;
    dialog.OnExit();
    EXPECT_TRUE(startup.calls.empty());
    EXPECT_TRUE(startup.set);
}

TEST_F(OptionsDialogTest, AFailedShortcutSaysSoAndKeepsTheDialogOpenWithTheEditsAndTheListSaved) {
    dialog.Load();
    EditRow(1, {"新しい", "C:\\new.exe"});
    startAtSignInBox.checked = true;
    startup.failure = "C:\\Startup\\ヨモリナ.lnk\r\nアクセスが拒否されました。 (5)";
    dialog.OnOk();

    EXPECT_EQ(messages.shown, (ShownMessages{{"スタートアップへの登録に失敗しました。\r\nC:\\Startup\\ヨモリナ.lnk\r\n"
                                             "アクセスが拒否されました。 (5)", "エラー", MessageButtons::Ok}}));
    EXPECT_EQ(window.closes, 0);
    EXPECT_TRUE(model.OptionsOpen);
    EXPECT_TRUE(startAtSignInBox.checked);
    EXPECT_EQ(At(1), (Row{"新しい", "C:\\new.exe"}));
    EXPECT_EQ(model.List[0], (LaunchEntry{"新しい", "C:\\new.exe"})) << "the list is saved all the same";
    EXPECT_NE(store.files.at(ListPath).find("\r\n\x90\x56\x82\xB5\x82\xA2\r\nC:\\new.exe\r\n"), std::string::npos);

    // Unticking can fail too, and says which way.
    startup.set = true;
    startAtSignInBox.checked = false;
    dialog.OnOk();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text.substr(0, messages.shown[1].text.find('\r')), "スタートアップからの削除に失敗しました。");
    EXPECT_EQ(window.closes, 0);

    // Once the folder takes it, the same OK goes through.
    startup.failure.reset();
    dialog.OnOk();
    EXPECT_EQ(window.closes, 1);
    EXPECT_FALSE(startup.set);
}

TEST_F(OptionsDialogTest, ExitAnsweredNoChangesNothingAndYesClosesTheDialogThenTheMainWindowWithoutSaving) {
    dialog.Load();
    EditRow(1, {"unsaved", "C:\\u.exe"});
    messages.answer = MessageAnswer::No;
    dialog.OnExit();
    EXPECT_EQ(messages.shown, (ShownMessages{{"ヨモリナを終了しますか？", "メッセージ", MessageButtons::YesNo}}));
    EXPECT_EQ(window.closes, 0);
    EXPECT_FALSE(mainWindow.closed);
    EXPECT_TRUE(model.OptionsOpen);

    messages.answer = MessageAnswer::Yes;
    journal.clear();
    dialog.OnExit();
    EXPECT_THAT(journal, ElementsAre("message メッセージ: ヨモリナを終了しますか？", "close dialog", "close window"));
    EXPECT_FALSE(model.OptionsOpen);
    EXPECT_EQ(store.writes, 0);
}

// The preview

TEST_F(OptionsDialogTest, ThePreviewShowsTheCurrentRowsIconOnlyForAnExistingTarget) {
    search.existing = {"C:\\windows\\notepad.exe", "C:\\Data"};
    OpenWith({{0, {"メモ帳", "C:\\windows\\notepad.exe"}},
              {1, {"ゴミ箱", "ゴミ箱"}},
              {2, {"消えた", "C:\\gone.exe"}},
              {3, {"名前だけ", ""}},
              {4, {"", "C:\\Data"}}});
    EXPECT_EQ(preview.shows, "C:\\windows\\notepad.exe") << "Load previews row 1";
    EXPECT_THAT(preview.calls, ElementsAre("clear", "icon C:\\windows\\notepad.exe"));

    const std::pair<int, std::string> cases[] = {
        {2, "recycle bin"}, {3, ""}, {4, ""}, {5, "C:\\Data"}, {6, ""}, {1, "C:\\windows\\notepad.exe"}};
    for (const auto& [row, shows] : cases) {
        preview.shows = "stale";
        grid.row = row;
        dialog.OnGridSelect();
        EXPECT_EQ(preview.shows, shows) << "row " << row;
    }
    EXPECT_THAT(search.asked, ::testing::Not(::testing::Contains("ゴミ箱")));
    EXPECT_THAT(search.begun, ::testing::Not(::testing::Contains("ゴミ箱")));

    // An answer still out leaves the preview blank, and the icon comes with the answer.
    search.unanswered = {"C:\\Data"};
    search.begun.clear();
    grid.row = 5;
    dialog.OnGridSelect();
    EXPECT_EQ(preview.shows, "");
    EXPECT_THAT(search.begun, ElementsAre("C:\\Data"));
    search.unanswered.clear();
    dialog.OnEntryAnswered();
    EXPECT_EQ(preview.shows, "C:\\Data");
}

// Edit and Add

TEST_F(OptionsDialogTest, EditRefusesABlankRowAndOtherwisePresetsTheEditorFromTheCurrentRow) {
    // The recycle bin is known by its path: an ordinary folder may be named "ゴミ箱".
    OpenWith({{0, {"メモ帳", "C:\\n.exe"}}, {2, {"名前だけ", ""}}, {3, {"ゴミ箱", "ゴミ箱"}}, {4, {"", "C:\\p"}},
              {5, {"ゴミ箱", "D:\\ゴミ箱"}}, {6, {"屑入れ", "ゴミ箱"}}});
    grid.row = 2;
    dialog.OnEdit();
    EXPECT_EQ(messages.shown, (ShownMessages{{"空欄の行は編集できません。", "エラー", MessageButtons::Ok}}));
    EXPECT_TRUE(editor.shown.empty());

    for (int row : {1, 3, 4, 5, 6, 7}) {
        grid.row = row;
        dialog.OnEdit();
        EXPECT_EQ(grid.row, row) << "Edit leaves the current row";
    }
    EXPECT_EQ(EditorPresets(), (std::vector<Preset>{{"メモ帳", "C:\\n.exe", false}, {"名前だけ", "", false},
                                                   {"ゴミ箱", "ゴミ箱", true}, {"", "C:\\p", false},
                                                   {"ゴミ箱", "D:\\ゴミ箱", false}, {"屑入れ", "ゴミ箱", true}}));
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(OptionsDialogTest, AddOpensAnEmptyEditorOnTheFirstRowWithoutAPathAndThatRowStaysCurrentAfterCancel) {
    FillRows(1, 5);
    Put(3, {});
    dialog.Load();
    grid.row = 5;
    int rowWhenShown = 0;
    editor.onShow = [&](const EntryEditorPreset&) {
        rowWhenShown = grid.row;
        return std::nullopt;
    };
    dialog.OnAdd();
    EXPECT_EQ(rowWhenShown, 3);
    EXPECT_EQ(EditorPresets(), (std::vector<Preset>{{"", "", false}}));
    EXPECT_EQ(grid.row, 3);
    EXPECT_EQ(At(3), (Row{"", ""}));

    // A name without a path is a free row too.
    Put(3, {"c", "C:\\c.exe"});
    Put(6, {"名前だけ", ""});
    dialog.Load();
    dialog.OnAdd();
    EXPECT_EQ(grid.row, 6);
}

TEST_F(OptionsDialogTest, AddOnAFullListSaysSoAndOpensNothing) {
    FillRows(1, 30);
    dialog.Load();
    grid.row = 12;
    dialog.OnAdd();
    EXPECT_EQ(messages.shown, (ShownMessages{{"これ以上追加できません。", "エラー", MessageButtons::Ok}}));
    EXPECT_TRUE(editor.shown.empty());
    EXPECT_EQ(grid.row, 12);
}

// Delete

TEST_F(OptionsDialogTest, DeleteAsksWithTheNameAndOnYesClosesUpTheRowsBelowEvenFromABlankRow) {
    struct Case {
        int first, last, row;  // rows first to last filled, row current
        MessageAnswer answer;
        std::string question;
        std::vector<std::pair<int, Row>> after;  // the rows that change
        const TextTable* texts = &JapaneseTexts;
    };
    const Case cases[] = {
        {1, 5, 2, MessageAnswer::Yes, "n2を削除しますか？", {{2, N(3)}, {3, N(4)}, {4, N(5)}, {5, Row{}}}},
        {28, 30, 30, MessageAnswer::Yes, "n30を削除しますか？", {{30, Row{}}}},
        {28, 30, 27, MessageAnswer::Yes, "を削除しますか？", {{27, N(28)}, {28, N(29)}, {29, N(30)}, {30, Row{}}}},
        {28, 30, 27, MessageAnswer::No, "Delete this row from the list?", {}, &EnglishTexts},
        {1, 3, 2, MessageAnswer::No, "n2を削除しますか？", {}},
    };
    for (const Case& deletion : cases) {
        FillRows(deletion.first, deletion.last);
        dialog.Load();
        auto expected = grid.cells;
        for (const auto& [r, cells] : deletion.after) expected[r] = cells;
        grid.row = deletion.row;
        messages.shown.clear();
        messages.answer = deletion.answer;
        const Speaking speaking(*deletion.texts);
        dialog.OnDelete();
        const std::string title(Text(TextId::TitleConfirm));
        EXPECT_EQ(messages.shown, (ShownMessages{{deletion.question, title, MessageButtons::YesNo}}));
        EXPECT_EQ(grid.cells, expected) << "delete on row " << deletion.row;
        EXPECT_EQ(grid.row, deletion.row);
    }
}

// Moves: up tests the moving row's path, down the name of the row below

TEST_F(OptionsDialogTest, AMoveNeedsARowToGoToAndUpAPathDownANameBelow) {
    using Rows = std::vector<std::pair<int, Row>>;
    struct Case {
        bool up;
        Rows filled;
        int row;
        Rows after;  // the rows that change, or none
        int rowAfter;
    };
    const Case cases[] = {
        {true, {{1, N(1)}, {2, N(2)}}, 1, {}, 1},
        {true, {{2, N(2)}, {3, {"名前だけ", ""}}}, 3, {}, 3},
        {true, {{1, N(1)}, {2, N(2)}}, 2, {{1, N(2)}, {2, N(1)}}, 1},
        {true, {{5, {"e", "C:\\e.exe"}}}, 5, {{4, {"e", "C:\\e.exe"}}, {5, Row{}}}, 4},
        {false, {{29, N(29)}, {30, N(30)}}, 30, {}, 30},
        {false, {{2, {"a", "C:\\a.exe"}}, {3, {"", "C:\\path-without-name"}}}, 2, {}, 2},
        {false, {{28, N(28)}, {29, N(29)}}, 28, {{28, N(29)}, {29, N(28)}}, 29},
        {false, {{8, {"x", "C:\\x.exe"}}}, 7, {{7, {"x", "C:\\x.exe"}}, {8, Row{}}}, 8},
    };
    for (const Case& move : cases) {
        FillRows(0, 0);
        for (const auto& [r, cells] : move.filled) Put(r, cells);
        dialog.Load();
        auto expected = grid.cells;
        for (const auto& [r, cells] : move.after) expected[r] = cells;
        grid.row = move.row;
        move.up ? dialog.OnMoveUp() : dialog.OnMoveDown();
        EXPECT_EQ(grid.cells, expected) << (move.up ? "up from " : "down from ") << move.row;
        EXPECT_EQ(grid.row, move.rowAfter) << (move.up ? "up from " : "down from ") << move.row;
    }
}

// Files dropped on the grid

TEST_F(OptionsDialogTest, DroppedFilesFillTheFirstFreeRowsNamedAfterTheirLastBackslash) {
    Put(1, {"kept", "C:\\kept.exe"});
    Put(2, {"名前だけ", ""});
    dialog.Load();
    search.asked.clear();
    grid.row = 9;
    preview.shows = "before";
    dialog.OnGridDrop({true, {"C:\\Tools\\app.exe", "C:\\Data", "D:\\", "C:\\表\\ソフト.exe"}});
    EXPECT_EQ(At(1), (Row{"kept", "C:\\kept.exe"}));
    EXPECT_EQ(At(2), (Row{"app.exe", "C:\\Tools\\app.exe"}));
    EXPECT_EQ(At(3), (Row{"Data", "C:\\Data"}));
    EXPECT_EQ(At(4), (Row{"", "D:\\"}));
    EXPECT_EQ(At(5), (Row{"ソフト.exe", "C:\\表\\ソフト.exe"}));
    EXPECT_EQ(grid.row, 9);
    EXPECT_EQ(preview.shows, "before");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(search.asked.empty()) << "dropped paths are not tested";

    const auto before = grid.cells;
    dialog.OnGridDrop({false, {}});  // not a file list
    EXPECT_EQ(grid.cells, before);
}

TEST_F(OptionsDialogTest, WhenTheListFillsUpTheRestOfADropIsRefusedOnce) {
    FillRows(1, 30);
    Put(10, {});
    Put(20, {});
    dialog.Load();
    dialog.OnGridDrop({true, {"C:\\one", "C:\\two", "C:\\three", "C:\\four"}});
    EXPECT_EQ(At(10), (Row{"one", "C:\\one"}));
    EXPECT_EQ(At(20), (Row{"two", "C:\\two"}));
    EXPECT_EQ(messages.shown, (ShownMessages{{"これ以上追加できません。", "エラー", MessageButtons::Ok}}));

    const auto full = grid.cells;
    dialog.OnGridDrop({true, {"C:\\five"}});
    EXPECT_EQ(grid.cells, full);
    EXPECT_EQ(messages.shown.size(), 2u);
}

// Together with the entry editor, as the user meets them

TEST_F(OptionsDialogTest, AnEntryAddedThroughTheEditorIsPreviewedAndSavedOnOk) {
    search.existing = {"C:\\Tools\\app.exe"};
    OpenWith({{0, {"a", "C:\\a.exe"}}});
    UserInEditor([](EntryEditor& entryEditor, FakeTextBox& name, FakeTextBox& path, FakeCheckBox&) {
        name.text = "アプリ";
        path.text = "C:\\Tools\\app.exe";
        entryEditor.OnOk();
    });
    dialog.OnAdd();
    EXPECT_EQ(grid.cells[2], (Row{"アプリ", "C:\\Tools\\app.exe"}));
    EXPECT_EQ(preview.shows, "C:\\Tools\\app.exe");
    EXPECT_EQ(model.List[1], LaunchEntry{}) << "nothing reaches the model before OK";

    dialog.OnOk();
    EXPECT_EQ(model.List[1], (LaunchEntry{"アプリ", "C:\\Tools\\app.exe"}));
    const std::string& bytes = store.files.at(ListPath);
    EXPECT_NE(bytes.find(" 1 \r\na\r\nC:\\a.exe\r\n\x83\x41\x83\x76\x83\x8A\r\nC:\\Tools\\app.exe\r\n\r\n"),
              std::string::npos);
}

TEST_F(OptionsDialogTest, UncheckingTheRecycleBinOfAnEditedRowMakesItAnOrdinaryEntry) {
    search.existing = {"C:\\Tools\\app.exe"};
    OpenWith({{0, {"ゴミ箱", "ゴミ箱"}}});
    EXPECT_EQ(preview.shows, "recycle bin");
    bool startedChecked = false;
    UserInEditor([&](EntryEditor& entryEditor, FakeTextBox& name, FakeTextBox& path, FakeCheckBox& check) {
        startedChecked = check.checked;
        check.checked = false;
        name.text = "道具";
        path.text = "C:\\Tools\\app.exe";
        entryEditor.OnOk();
    });
    dialog.OnEdit();
    EXPECT_TRUE(startedChecked);
    EXPECT_EQ(grid.cells[1], (Row{"道具", "C:\\Tools\\app.exe"}));
    EXPECT_EQ(preview.shows, "C:\\Tools\\app.exe");
}

}  // namespace
}  // namespace yomorina
