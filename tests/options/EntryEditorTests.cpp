#include "options/EntryEditor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "tests/support/FakeControls.h"
#include "tests/support/Fakes.h"

namespace yomorina {
namespace {

using namespace yomorina::testing;
using Row = std::array<std::string, 2>;

class EntryEditorTest : public ::testing::Test {
protected:
    FakeGrid grid;
    int previewRedraws = 0;
    FakeDirectorySearch search;
    FakeMessageBoxes messages;
    FakeFileOpenDialog files;
    FakeDialogWindow window;
    FakeTextBox nameBox, pathBox;
    FakeCheckBox recycleBinBox;
    EntryEditor editor{EntryEditorControls{nameBox, pathBox, recycleBinBox},
               EntryEditorServices{grid, [this] { ++previewRedraws; }, search, messages, files, window}};

    void SetUp() override {
        search.existing = {"C:\\Tools\\app.exe", "C:\\Data"};
        grid.Fill(4, "old", "C:\\old.exe");
        grid.row = 4;
    }
};

TEST_F(EntryEditorTest, WithTheBoxCheckedOkWritesTheRecycleBinEntryWhateverTheBoxesHoldAndLeavesThePreview) {
    editor.Preset({"何か", "C:\\nothing-here", true});
    editor.OnOk();
    EXPECT_EQ(grid.cells[4], (Row{"ゴミ箱", "ゴミ箱"}));
    EXPECT_EQ(previewRedraws, 0);
    EXPECT_EQ(window.closes, 1);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(search.asked.empty());
}

TEST_F(EntryEditorTest, AnExistingFileOrFolderIsWrittenAsTypedThenThePreviewIsRedrawn) {
    editor.Preset({"アプリ", "C:\\Tools\\app.exe", false});
    editor.OnOk();
    EXPECT_EQ(grid.cells[4], (Row{"アプリ", "C:\\Tools\\app.exe"}));
    EXPECT_EQ(previewRedraws, 1);
    EXPECT_EQ(window.closes, 1);

    // An empty name is accepted as it is, and so is a folder.
    grid.row = 5;
    editor.Preset({"", "C:\\Data", false});
    editor.OnOk();
    EXPECT_EQ(grid.cells[5], (Row{"", "C:\\Data"}));
    EXPECT_EQ(window.closes, 2);
}

TEST_F(EntryEditorTest, APathThatNamesNothingIsRefusedAndTheEditorStaysAsItWas) {
    for (const char* path : {"C:\\Tools\\missing.exe", ""}) {
        messages.shown.clear();
        editor.Preset({"名前", path, false});
        editor.OnOk();
        EXPECT_EQ(messages.shown, (ShownMessages{{"ファイルが存在しません。", "エラー", MessageButtons::Ok}}));
        EXPECT_EQ(nameBox.text, "名前");
        EXPECT_EQ(pathBox.text, path);
    }
    EXPECT_EQ(grid.cells[4], (Row{"old", "C:\\old.exe"}));
    EXPECT_EQ(window.closes, 0);
    EXPECT_EQ(previewRedraws, 0);
}

TEST_F(EntryEditorTest, ALineBreakHandedToABoxNeverReachesTheGrid) {
    editor.Preset({"a\r\nb", "C:\\Tools\\app.exe\nC:\\x", false});
    editor.OnOk();
    EXPECT_EQ(grid.cells[4], (Row{"a", "C:\\Tools\\app.exe"}));
}

TEST_F(EntryEditorTest, CancelWritesNothing) {
    editor.Preset({"old", "C:\\old.exe", false});
    nameBox.text = "edited";
    pathBox.text = "C:\\Tools\\app.exe";
    editor.OnCancel();
    EXPECT_EQ(grid.cells[4], (Row{"old", "C:\\old.exe"}));
    EXPECT_EQ(window.closes, 1);
}

TEST_F(EntryEditorTest, BrowseFillsTheNameAndPathFromTheChosenFileAndACancelChangesNothing) {
    editor.Preset({"name", "path", true});
    files.choice = std::nullopt;
    editor.OnBrowse();
    EXPECT_EQ(nameBox.text, "name");
    EXPECT_EQ(pathBox.text, "path");
    EXPECT_TRUE(messages.shown.empty());

    files.choice = "C:\\Tools\\app.exe";
    editor.OnBrowse();
    EXPECT_EQ(nameBox.text, "app.exe");
    EXPECT_EQ(pathBox.text, "C:\\Tools\\app.exe");
    EXPECT_TRUE(recycleBinBox.checked) << "browsing leaves the check box";
    EXPECT_EQ(files.filters, (std::vector<std::string>{"すべてのファイル (*.*)|*.*|", "すべてのファイル (*.*)|*.*|"}));

    files.choice = "C:\\表\\ソフト.exe";  // 表 and ソ end in 0x5C in Shift-JIS
    editor.OnBrowse();
    EXPECT_EQ(nameBox.text, "ソフト.exe");
}

}  // namespace
}  // namespace yomorina
