#pragma once
// The entry editor: one row of the options grid, a name and a path that must
// name something, or the recycle-bin entry. It writes only into the grid.

#include <functional>
#include <string_view>

#include "core/Model.h"
#include "options/OptionsTexts.h"
#include "platform/Controls.h"
#include "platform/DirectorySearch.h"
#include "platform/EntryEditor.h"
#include "platform/FileOpenDialog.h"
#include "platform/MessageBoxes.h"

namespace yomorina {

struct Form3Controls {
    TextBox& Text1;  // name
    TextBox& Text2;  // path
    CheckBox& Check1;
};

struct Form3Services {
    Grid& FG;
    std::function<void()> FG_Click;  // the options dialog's preview
    const DirectorySearch& search;
    MessageBoxes& messages;
    FileOpenDialog& files;
    DialogWindow& window;
};

class Form3 {
public:
    Form3(const Form3Controls& controls, const Form3Services& services);

    // What the opener sets before the editor is shown.
    void Preset(const EntryEditorPreset& preset);

    void Command1_Click();  // OK
    void Command2_Click();  // Cancel
    void Command3_Click();  // browse

private:
    Form3Controls c_;
    Form3Services s_;
};

}  // namespace yomorina
