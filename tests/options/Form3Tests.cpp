#include "options/Form3.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "tests/support/FakeControls.h"
#include "tests/support/Fakes.h"

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

}  // namespace
}  // namespace yomorina
