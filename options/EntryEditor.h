#pragma once
// The entry editor: one entry of the options' list, a name and a path that
// must name something, or the recycle-bin entry. It hands the entry back to
// its opener and changes nothing else.

#include <optional>
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

    // The entry OK accepted; none before, nor after Cancel.
    const std::optional<LaunchEntry>& Result() const { return result_; }

private:
    EntryEditorControls controls_;
    EntryEditorServices services_;
    std::optional<LaunchEntry> result_;
};

}  // namespace yomorina
