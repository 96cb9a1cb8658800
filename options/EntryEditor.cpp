#include "options/EntryEditor.h"

#include <string>

#include "core/Model.h"
#include "core/PathText.h"

namespace yomorina {
namespace {

// A line break in a name or path would shift every later line of filelist.txt;
// a single-line box can still be handed one by a paste or another program.
std::string FirstLine(std::string text) {
    if (const auto end = text.find_first_of("\r\n"); end != std::string::npos) text.erase(end);
    return text;
}

}  // namespace

EntryEditor::EntryEditor(const EntryEditorControls& controls, const EntryEditorServices& services) : c_(controls), s_(services) {}

void EntryEditor::Preset(const EntryEditorPreset& preset) {
    c_.nameBox.SetText(preset.Name);
    c_.pathBox.SetText(preset.Path);
    c_.recycleBinBox.SetChecked(preset.RecycleBin);
}

void EntryEditor::OnOk() {
    if (c_.recycleBinBox.Checked()) {
        s_.grid.SetText(s_.grid.Row(), 0, RecycleBinPath);
        s_.grid.SetText(s_.grid.Row(), 1, RecycleBinPath);
        s_.window.Close();
        return;
    }
    const std::string path = FirstLine(c_.pathBox.Text());
    if (!s_.search.FindsEntry(path)) {
        s_.messages.Show(MissingFileMessage, TitleError, MessageButtons::Ok);
        return;
    }
    s_.grid.SetText(s_.grid.Row(), 0, FirstLine(c_.nameBox.Text()));
    s_.grid.SetText(s_.grid.Row(), 1, path);
    if (s_.refreshPreview) s_.refreshPreview();
    s_.window.Close();
}

void EntryEditor::OnCancel() { s_.window.Close(); }

void EntryEditor::OnBrowse() {
    const auto chosen = s_.files.ChooseFile(AllFilesFilter);
    if (!chosen) return;
    c_.nameBox.SetText(TextAfterLastBackslash(*chosen));
    c_.pathBox.SetText(*chosen);
}

}  // namespace yomorina
