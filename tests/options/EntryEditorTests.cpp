#include "options/EntryEditor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "tests/support/FakeControls.h"
#include "tests/support/Fakes.h"
#include "tests/support/Speaking.h"

namespace yomorina {
namespace {

using namespace yomorina::testing;

class EntryEditorTest : public ::testing::Test {
protected:
    FakeDirectorySearch search;
    FakeMessageBoxes messages;
    FakeFileOpenDialog files;
    FakeDialogWindow window;
    FakeTextBox nameBox, pathBox;
    FakeCheckBox recycleBinBox;
    EntryEditor editor{EntryEditorControls{nameBox, pathBox, recycleBinBox},
               EntryEditorServices{search, messages, files, window}};

    void SetUp() override { search.existing = {"C:\\Tools\\app.exe", "C:\\Data"}; }
};

// OK hands back the entry and closes, or refuses a path that names nothing and stays as it was.
TEST_F(EntryEditorTest, OkGivesTheRecycleBinOrAnExistingPathAsTypedAndRefusesAPathThatNamesNothing) {
    const struct {
        EntryEditorPreset preset;
        std::optional<LaunchEntry> given;  // none: refused
    } cases[] = {
        {{"何か", "C:\\nothing-here", true}, LaunchEntry{"ゴミ箱", "ゴミ箱"}},  // whatever the boxes hold; no file is looked for
        {{"アプリ", "C:\\Tools\\app.exe", false}, LaunchEntry{"アプリ", "C:\\Tools\\app.exe"}},
        {{"", "C:\\Data", false}, LaunchEntry{"", "C:\\Data"}},                        // an empty name, a folder
        {{"a\r\nb", "C:\\Tools\\app.exe\nC:\\x", false}, LaunchEntry{"a", "C:\\Tools\\app.exe"}},  // no line break
        {{"名前", "C:\\Tools\\missing.exe", false}, std::nullopt},
        {{"名前", "", false}, std::nullopt},
    };
    for (const auto& c : cases) {
        FakeDialogWindow window;
        EntryEditor editor{EntryEditorControls{nameBox, pathBox, recycleBinBox},
                           EntryEditorServices{search, messages, files, window}};
        messages.shown.clear();
        search.asked.clear();
        editor.Preset(c.preset);
        editor.OnOk();
        const bool refused = !c.given;
        EXPECT_EQ(editor.Result(), c.given) << c.preset.Path;
        EXPECT_EQ(window.closes, refused ? 0 : 1) << c.preset.Path;
        EXPECT_EQ(messages.shown, (refused ? ShownMessages{{"ファイルが存在しません。", "エラー", MessageButtons::Ok}}
                                           : ShownMessages{})) << c.preset.Path;
        EXPECT_EQ(search.asked.empty(), c.preset.RecycleBin) << c.preset.Path;
        if (refused) EXPECT_EQ(nameBox.text + " " + pathBox.text, "名前 " + c.preset.Path);
    }
    // The box's caption is in the user's language, what its tick stores is not.
    const Speaking english(EnglishTexts);
    editor.Preset({"Bin", "", true});
    editor.OnOk();
    EXPECT_EQ(editor.Result(), (LaunchEntry{"ゴミ箱", "ゴミ箱"}));
}

TEST_F(EntryEditorTest, BrowseFillsTheNameAndPathFromTheChosenFileItsCancelChangesNothingAndCancelGivesNothing) {
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
    editor.OnCancel();
    EXPECT_EQ(editor.Result(), std::nullopt);
    EXPECT_EQ(window.closes, 1);
}

}  // namespace
}  // namespace yomorina
