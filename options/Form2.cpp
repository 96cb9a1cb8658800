#include "options/Form2.h"

#include <algorithm>
#include <utility>

#include "core/PathText.h"

namespace yomorina {
namespace {

constexpr int NameColumn = 0;
constexpr int PathColumn = 1;

std::int16_t ToSetting(int position) { return static_cast<std::int16_t>(position); }

}  // namespace

int ClampToSlider(int value, const SliderSetup& setup) { return std::clamp(value, setup.Min, setup.Max); }

Form2::Form2(const Form2Controls& controls, const Form2Services& services) : c_(controls), s_(services) {}

void Form2::ShowSlider(Slider& slider, Label& label, const SliderSetup& setup, std::int16_t value) {
    slider.Configure(setup);
    const int shown = ClampToSlider(value, setup);
    label.SetCaption(std::to_string(shown));
    slider.SetPosition(shown);
}

void Form2::Form_Load() {
    const ScatterSettings& settings = s_.model.Settings;
    ShowSlider(c_.Slider1, c_.Label3, Slider1Setup, settings.MoveDistance);
    ShowSlider(c_.Slider2, c_.Label4, Slider2Setup, settings.LeadInIntensity);
    ShowSlider(c_.Slider3, c_.Label6, Slider3Setup, settings.ScatterIntensity);

    const int pattern = settings.BackgroundPattern;
    c_.Option1.Select(pattern >= 0 && pattern < BackgroundPatternCount ? pattern : 0);
    c_.Check1.SetChecked(s_.startupShortcut.IsSet());

    c_.FG.SetColumnWidth(NameColumn, GridColumnWidthTwips);
    c_.FG.SetColumnWidth(PathColumn, GridColumnWidthTwips);
    c_.FG.SetText(0, NameColumn, HeaderName);
    c_.FG.SetText(0, PathColumn, HeaderPath);
    for (int slot = 0; slot < LaunchSlotCount; ++slot) {
        const int row = slot + 1;
        c_.FG.SetRowHeight(row, GridRowHeightTwips);
        const LaunchEntry& entry = s_.model.List[slot];
        if (entry.Name.empty() && entry.Path.empty()) continue;
        c_.FG.SetText(row, NameColumn, entry.Name);
        c_.FG.SetText(row, PathColumn, entry.Path);
    }
    c_.FG.SetRow(GridFirstEntryRow);
    FG_Click();
}

void Form2::Form_Unload() { s_.model.OptionsOpen = false; }

void Form2::Slider1_Change() { c_.Label3.SetCaption(std::to_string(c_.Slider1.Position())); }
void Form2::Slider2_Change() { c_.Label4.SetCaption(std::to_string(c_.Slider2.Position())); }
void Form2::Slider3_Change() { c_.Label6.SetCaption(std::to_string(c_.Slider3.Position())); }

void Form2::Command1_Click() {
    // The model takes the edits only once they are safely on disk, so that a
    // failed save leaves the model and the file agreeing, and the dialog keeps
    // the user's work for another try.
    Model saved = s_.model;
    saved.Settings.MoveDistance = ToSetting(c_.Slider1.Position());
    saved.Settings.LeadInIntensity = ToSetting(c_.Slider2.Position());
    saved.Settings.ScatterIntensity = ToSetting(c_.Slider3.Position());
    if (const int pattern = c_.Option1.Selected(); pattern >= 0) saved.Settings.BackgroundPattern = ToSetting(pattern);
    for (int slot = 0; slot < LaunchSlotCount; ++slot) {
        saved.List[slot].Name = c_.FG.Text(slot + 1, NameColumn);
        saved.List[slot].Path = c_.FG.Text(slot + 1, PathColumn);
    }
    if (const auto failure = s_.listFile.SaveListFile(saved)) {
        s_.messages.Show(*failure, TitleError, MessageButtons::Ok);
        return;
    }
    s_.model.Settings = saved.Settings;
    s_.model.List = std::move(saved.List);
    // The shortcut after the list, which holds the most work: when it fails,
    // the list is already safe and the dialog stays with the box as the user set it.
    const bool startAtSignIn = c_.Check1.Checked();
    if (const auto failure = s_.startupShortcut.Set(startAtSignIn)) {
        std::string message(startAtSignIn ? StartupSetFailure : StartupClearFailure);
        if (!failure->empty()) message += "\r\n" + *failure;
        s_.messages.Show(message, TitleError, MessageButtons::Ok);
        return;
    }
    s_.window.Close();
}

void Form2::Command2_Click() { s_.window.Close(); }

void Form2::Command9_Click() {
    if (s_.showAbout) s_.showAbout();
}

void Form2::Command10_Click() {
    if (s_.messages.Show(ExitQuestion, TitleMessage, MessageButtons::YesNo) != MessageAnswer::Yes) return;
    s_.window.Close();
    s_.mainWindow.Close();
}

int Form2::CurrentRow() const { return std::clamp(c_.FG.Row(), GridFirstEntryRow, GridLastEntryRow); }

int Form2::FirstFreeRow() const {
    for (int row = GridFirstEntryRow; row <= GridLastEntryRow; ++row) {
        if (c_.FG.Text(row, PathColumn).empty()) return row;
    }
    return 0;
}

void Form2::SwapRows(int first, int second) {
    for (int column : {NameColumn, PathColumn}) {
        const std::string above = c_.FG.Text(first, column);
        c_.FG.SetText(first, column, c_.FG.Text(second, column));
        c_.FG.SetText(second, column, above);
    }
}

void Form2::FG_Click() {
    const std::string path = c_.FG.Text(CurrentRow(), PathColumn);
    if (path.empty()) {
        c_.Picture1.Clear();
    } else if (IsRecycleBinPath(path)) {
        c_.Picture1.ShowRecycleBin();
    } else if (s_.search.FindsEntry(path)) {
        c_.Picture1.Clear();
        c_.Picture1.DrawTargetIcon(path);
    } else {
        c_.Picture1.Clear();
    }
}

void Form2::Command6_Click() {
    const int row = CurrentRow();
    EntryEditorPreset preset{c_.FG.Text(row, NameColumn), c_.FG.Text(row, PathColumn), false};
    if (preset.Name.empty() && preset.Path.empty()) {
        s_.messages.Show(BlankRowMessage, TitleError, MessageButtons::Ok);
        return;
    }
    preset.RecycleBin = IsRecycleBinPath(preset.Path);
    s_.editor.ShowModal(preset);
}

void Form2::Command8_Click() {
    const int row = FirstFreeRow();
    if (row == 0) {
        s_.messages.Show(ListFullMessage, TitleError, MessageButtons::Ok);
        return;
    }
    c_.FG.SetRow(row);
    s_.editor.ShowModal(EntryEditorPreset{});
}

void Form2::Command4_Click() {
    const int row = CurrentRow();
    if (row == GridFirstEntryRow || c_.FG.Text(row, PathColumn).empty()) return;
    SwapRows(row, row - 1);
    c_.FG.SetRow(row - 1);
}

void Form2::Command5_Click() {
    const int row = CurrentRow();
    if (row == GridLastEntryRow || c_.FG.Text(row + 1, NameColumn).empty()) return;
    SwapRows(row, row + 1);
    c_.FG.SetRow(row + 1);
}

void Form2::Command7_Click() {
    const int row = CurrentRow();
    const std::string question = c_.FG.Text(row, NameColumn) + std::string(DeleteQuestionSuffix);
    if (s_.messages.Show(question, TitleConfirm, MessageButtons::YesNo) != MessageAnswer::Yes) return;
    for (int i = row; i < GridLastEntryRow; ++i) {
        c_.FG.SetText(i, NameColumn, c_.FG.Text(i + 1, NameColumn));
        c_.FG.SetText(i, PathColumn, c_.FG.Text(i + 1, PathColumn));
    }
    c_.FG.SetText(GridLastEntryRow, NameColumn, "");
    c_.FG.SetText(GridLastEntryRow, PathColumn, "");
}

void Form2::FG_OLEDragDrop(const DroppedData& data) {
    if (!data.OffersFileList) return;
    for (const std::string& path : data.Files) {
        const int row = FirstFreeRow();
        if (row == 0) {
            s_.messages.Show(ListFullMessage, TitleError, MessageButtons::Ok);
            return;
        }
        c_.FG.SetText(row, NameColumn, TextAfterLastBackslash(path));
        c_.FG.SetText(row, PathColumn, path);
    }
}

}  // namespace yomorina
