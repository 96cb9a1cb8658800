#include "options/Form3.h"

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

Form3::Form3(const Form3Controls& controls, const Form3Services& services) : c_(controls), s_(services) {}

void Form3::Preset(const EntryEditorPreset& preset) {
    c_.Text1.SetText(preset.Name);
    c_.Text2.SetText(preset.Path);
    c_.Check1.SetChecked(preset.RecycleBin);
}

void Form3::Command1_Click() {
    if (c_.Check1.Checked()) {
        s_.FG.SetText(s_.FG.Row(), 0, RecycleBinPath);
        s_.FG.SetText(s_.FG.Row(), 1, RecycleBinPath);
        s_.window.Close();
        return;
    }
    const std::string path = FirstLine(c_.Text2.Text());
    if (!s_.search.FindsEntry(path)) {
        s_.messages.Show(MissingFileMessage, TitleError, MessageButtons::Ok);
        return;
    }
    s_.FG.SetText(s_.FG.Row(), 0, FirstLine(c_.Text1.Text()));
    s_.FG.SetText(s_.FG.Row(), 1, path);
    if (s_.FG_Click) s_.FG_Click();
    s_.window.Close();
}

void Form3::Command2_Click() { s_.window.Close(); }

void Form3::Command3_Click() {
    const auto chosen = s_.files.ChooseFile(AllFilesFilter);
    if (!chosen) return;
    c_.Text1.SetText(TextAfterLastBackslash(*chosen));
    c_.Text2.SetText(*chosen);
}

}  // namespace yomorina
