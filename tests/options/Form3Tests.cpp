#include "options/Form3.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "options/Form2.h"
#include "tests/support/FakeControls.h"
#include "tests/support/Fakes.h"
#include "tests/support/IconvCodePage932.h"

namespace yomorina {
namespace {

using namespace yomorina::testing;
using Row = std::array<std::string, 2>;

class Form3Test : public ::testing::Test {
protected:
    FakeGrid FG;
    int previewRedraws = 0;
    FakeDirectorySearch search;
    FakeMessageBoxes messages;
    FakeFileOpenDialog files;
    FakeDialogWindow window;
    FakeTextBox Text1, Text2;
    FakeCheckBox Check1;
    Form3 form{Form3Controls{Text1, Text2, Check1},
               Form3Services{FG, [this] { ++previewRedraws; }, search, messages, files, window}};

    void SetUp() override {
        search.existing = {"C:\\Tools\\app.exe", "C:\\Data"};
        FG.Fill(4, "old", "C:\\old.exe");
        FG.row = 4;
    }
};

TEST_F(Form3Test, ThePresetFillsTheBoxesAndTheCheckBox) {
    form.Preset({"ゴミ箱", "ゴミ箱", true});
    EXPECT_EQ(Text1.text, "ゴミ箱");
    EXPECT_EQ(Text2.text, "ゴミ箱");
    EXPECT_TRUE(Check1.checked);
}

TEST_F(Form3Test, WithTheBoxCheckedOkWritesTheRecycleBinEntryWhateverTheBoxesHoldAndLeavesThePreview) {
    form.Preset({"何か", "C:\\nothing-here", true});
    form.Command1_Click();
    EXPECT_EQ(FG.cells[4], (Row{"ゴミ箱", "ゴミ箱"}));
    EXPECT_EQ(previewRedraws, 0);
    EXPECT_EQ(window.closes, 1);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(search.asked.empty());
}

TEST_F(Form3Test, AnExistingFileOrFolderIsWrittenAsTypedThenThePreviewIsRedrawn) {
    form.Preset({"アプリ", "C:\\Tools\\app.exe", false});
    form.Command1_Click();
    EXPECT_EQ(FG.cells[4], (Row{"アプリ", "C:\\Tools\\app.exe"}));
    EXPECT_EQ(previewRedraws, 1);
    EXPECT_EQ(window.closes, 1);

    // An empty name is accepted as it is, and so is a folder.
    FG.row = 5;
    form.Preset({"", "C:\\Data", false});
    form.Command1_Click();
    EXPECT_EQ(FG.cells[5], (Row{"", "C:\\Data"}));
    EXPECT_EQ(window.closes, 2);
}

TEST_F(Form3Test, APathThatNamesNothingIsRefusedAndTheEditorStaysAsItWas) {
    for (const char* path : {"C:\\Tools\\missing.exe", ""}) {
        messages.shown.clear();
        form.Preset({"名前", path, false});
        form.Command1_Click();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "ファイルが存在しません。");
        EXPECT_EQ(messages.shown[0].title, "エラー");
        EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(Text1.text, "名前");
        EXPECT_EQ(Text2.text, path);
    }
    EXPECT_EQ(FG.cells[4], (Row{"old", "C:\\old.exe"}));
    EXPECT_EQ(window.closes, 0);
    EXPECT_EQ(previewRedraws, 0);
}

TEST_F(Form3Test, ALineBreakHandedToABoxNeverReachesTheGrid) {
    form.Preset({"a\r\nb", "C:\\Tools\\app.exe\nC:\\x", false});
    form.Command1_Click();
    EXPECT_EQ(FG.cells[4], (Row{"a", "C:\\Tools\\app.exe"}));
}

TEST_F(Form3Test, CancelWritesNothing) {
    form.Preset({"old", "C:\\old.exe", false});
    Text1.text = "edited";
    Text2.text = "C:\\Tools\\app.exe";
    form.Command2_Click();
    EXPECT_EQ(FG.cells[4], (Row{"old", "C:\\old.exe"}));
    EXPECT_EQ(window.closes, 1);
}

TEST_F(Form3Test, BrowseFillsTheNameAndPathFromTheChosenFileAndACancelChangesNothing) {
    form.Preset({"name", "path", true});
    files.choice = std::nullopt;
    form.Command3_Click();
    EXPECT_EQ(Text1.text, "name");
    EXPECT_EQ(Text2.text, "path");
    EXPECT_TRUE(messages.shown.empty());

    files.choice = "C:\\Tools\\app.exe";
    form.Command3_Click();
    EXPECT_EQ(Text1.text, "app.exe");
    EXPECT_EQ(Text2.text, "C:\\Tools\\app.exe");
    EXPECT_TRUE(Check1.checked) << "browsing leaves the check box";
    EXPECT_EQ(files.filters, (std::vector<std::string>{"すべてのファイル (*.*)|*.*|", "すべてのファイル (*.*)|*.*|"}));

    files.choice = "C:\\表\\ソフト.exe";  // 表 and ソ end in 0x5C in Shift-JIS
    form.Command3_Click();
    EXPECT_EQ(Text1.text, "ソフト.exe");
}

// The options dialog and the editor together, as the user meets them.
class OptionsWithEditorTest : public ::testing::Test {
protected:
    Journal journal;
    Model model;
    FakeFileStore store;
    FakeProcessInfo process;
    IconvCodePage932 codePage;
    ListFile listFile{store, codePage, process};
    FakeMessageBoxes messages;
    FakeDirectorySearch search;
    FakeEntryEditor editor;
    FakeMainWindow mainWindow{journal};
    FakeDialogWindow window;
    FakeGrid FG;
    FakePreviewBox Picture1;
    FakeSlider Slider1, Slider2, Slider3;
    FakeLabel Label3, Label4, Label6;
    FakeOptionGroup Option1;
    Form2 options{Form2Controls{FG, Picture1, Slider1, Slider2, Slider3, Label3, Label4, Label6, Option1},
                  Form2Services{model, listFile, messages, search, editor, window, mainWindow, {}}};

    // Each opening is a fresh editor; the user's action runs while it is shown.
    void UserInEditor(std::function<void(Form3&, FakeTextBox&, FakeTextBox&, FakeCheckBox&)> action) {
        editor.onShow = [this, action](const EntryEditorPreset& preset) {
            FakeTextBox name, path;
            FakeCheckBox check;
            FakeFileOpenDialog files;
            FakeDialogWindow editorWindow;
            Form3 form3(Form3Controls{name, path, check},
                        Form3Services{FG, [this] { options.FG_Click(); }, search, messages, files, editorWindow});
            form3.Preset(preset);
            action(form3, name, path, check);
        };
    }

    void SetUp() override {
        model.Settings = {100, 5, 1, 0};
        search.existing = {"C:\\Tools\\app.exe"};
    }
};

TEST_F(OptionsWithEditorTest, AnEntryAddedThroughTheEditorIsPreviewedAndSavedOnOk) {
    model.List[0] = {"a", "C:\\a.exe"};
    options.Form_Load();
    UserInEditor([](Form3& form3, FakeTextBox& name, FakeTextBox& path, FakeCheckBox&) {
        name.text = "アプリ";
        path.text = "C:\\Tools\\app.exe";
        form3.Command1_Click();
    });
    options.Command8_Click();
    EXPECT_EQ(FG.cells[2], (Row{"アプリ", "C:\\Tools\\app.exe"}));
    EXPECT_EQ(Picture1.shows, "C:\\Tools\\app.exe");
    EXPECT_EQ(model.List[1], LaunchEntry{}) << "nothing reaches the model before OK";

    options.Command1_Click();
    EXPECT_EQ(model.List[1], (LaunchEntry{"アプリ", "C:\\Tools\\app.exe"}));
    const std::string& bytes = store.files.at("C:\\Tools\\Yomorina\\filelist.txt");
    EXPECT_NE(bytes.find(" 1 \r\na\r\nC:\\a.exe\r\n\x83\x41\x83\x76\x83\x8A\r\nC:\\Tools\\app.exe\r\n\r\n"),
              std::string::npos);
}

TEST_F(OptionsWithEditorTest, UncheckingTheRecycleBinOfAnEditedRowMakesItAnOrdinaryEntry) {
    model.List[0] = {"ゴミ箱", "ゴミ箱"};
    options.Form_Load();
    EXPECT_EQ(Picture1.shows, "recycle bin");
    bool startedChecked = false;
    UserInEditor([&](Form3& form3, FakeTextBox& name, FakeTextBox& path, FakeCheckBox& check) {
        startedChecked = check.checked;
        check.checked = false;
        name.text = "道具";
        path.text = "C:\\Tools\\app.exe";
        form3.Command1_Click();
    });
    options.Command6_Click();
    EXPECT_TRUE(startedChecked);
    EXPECT_EQ(FG.cells[1], (Row{"道具", "C:\\Tools\\app.exe"}));
    EXPECT_EQ(Picture1.shows, "C:\\Tools\\app.exe");
}

}  // namespace
}  // namespace yomorina
