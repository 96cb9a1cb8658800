#include "options/EntryEditor.h"

#include <string>

#include "core/Model.h"
#include "core/PathText.h"
#include "core/Texts.h"

namespace yomorina {
namespace {

// A line break in a name or path would shift every later line of filelist.txt;
// a single-line box can still be handed one by a paste or another program.
std::string FirstLine(std::string text) {
    if (const auto end = text.find_first_of("\r\n"); end != std::string::npos) text.erase(end);
    return text;
}

}  // namespace

EntryEditor::EntryEditor(const EntryEditorControls& controls, const EntryEditorServices& services)
    : controls_(controls), services_(services) {}

void EntryEditor::Preset(const EntryEditorPreset& preset) {
    controls_.nameBox.SetText(preset.Name);
    controls_.pathBox.SetText(preset.Path);
    controls_.recycleBinBox.SetChecked(preset.RecycleBin);
}

void EntryEditor::OnOk() {
    if (controls_.recycleBinBox.Checked()) {
        result_ = LaunchEntry{std::string(RecycleBinPath), std::string(RecycleBinPath)};
        services_.window.Close();
        return;
    }
    const std::string path = FirstLine(controls_.pathBox.Text());
    if (!services_.search.FindsEntry(path)) {
        services_.messages.Show(Text(TextId::MissingFileMessage), Text(TextId::TitleError), MessageButtons::Ok);
        return;
    }
    result_ = LaunchEntry{FirstLine(controls_.nameBox.Text()), path};
    services_.window.Close();
}

void EntryEditor::OnCancel() { services_.window.Close(); }

void EntryEditor::OnBrowse() {
    const auto chosen = services_.files.ChooseFile(Text(TextId::AllFilesFilter));
    if (!chosen) return;
    controls_.nameBox.SetText(TextAfterLastBackslash(*chosen));
    controls_.pathBox.SetText(*chosen);
}

}  // namespace yomorina
