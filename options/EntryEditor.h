#pragma once
// The entry editor: one row of the options grid, a name and a path that must
// name something, or the recycle-bin entry. It writes only into the grid.

#include <functional>
#include <string_view>

#include "core/Model.h"
#include "platform/Controls.h"
#include "platform/DirectorySearch.h"
#include "platform/EntryEditorDialog.h"
#include "platform/FileOpenDialog.h"
#include "platform/MessageBoxes.h"

namespace yomorina {

struct EntryEditorControls {
    TextBox& nameBox;
    TextBox& pathBox;
    CheckBox& recycleBinBox;
};

struct EntryEditorServices {
    Grid& grid;
    std::function<void()> refreshPreview;  // the options dialog's preview
    const DirectorySearch& search;
    MessageBoxes& messages;
    FileOpenDialog& files;
    DialogWindow& window;
};

class EntryEditor {
public:
    EntryEditor(const EntryEditorControls& controls, const EntryEditorServices& services);

    // What the opener sets before the editor is shown.
    void Preset(const EntryEditorPreset& preset);

    void OnOk();
    void OnCancel();
    void OnBrowse();

private:
    EntryEditorControls controls_;
    EntryEditorServices services_;
};

}  // namespace yomorina
