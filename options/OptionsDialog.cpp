#include "options/OptionsDialog.h"

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

OptionsDialog::OptionsDialog(const OptionsDialogControls& controls, const OptionsDialogServices& services) : c_(controls), s_(services) {}

void OptionsDialog::ShowSlider(Slider& slider, Label& label, const SliderSetup& setup, std::int16_t value) {
    slider.Configure(setup);
    const int shown = ClampToSlider(value, setup);
    label.SetCaption(std::to_string(shown));
    slider.SetPosition(shown);
}

void OptionsDialog::Load() {
    const ScatterSettings& settings = s_.model.Settings;
    ShowSlider(c_.distanceSlider, c_.distanceValue, DistanceSliderRange, settings.MoveDistance);
    ShowSlider(c_.leadInSlider, c_.leadInValue, LeadInSliderRange, settings.LeadInIntensity);
    ShowSlider(c_.scatterSlider, c_.scatterValue, ScatterSliderRange, settings.ScatterIntensity);

    const int pattern = settings.BackgroundPattern;
    c_.patternChoice.Select(pattern >= 0 && pattern < BackgroundPatternCount ? pattern : 0);
    c_.startAtSignInBox.SetChecked(s_.startupShortcut.IsSet());

    c_.grid.SetColumnWidth(NameColumn, GridColumnWidthTwips);
    c_.grid.SetColumnWidth(PathColumn, GridColumnWidthTwips);
    c_.grid.SetText(0, NameColumn, HeaderName);
    c_.grid.SetText(0, PathColumn, HeaderPath);
    for (int slot = 0; slot < LaunchSlotCount; ++slot) {
        const int row = slot + 1;
        c_.grid.SetRowHeight(row, GridRowHeightTwips);
        const LaunchEntry& entry = s_.model.List[slot];
        if (entry.Name.empty() && entry.Path.empty()) continue;
        c_.grid.SetText(row, NameColumn, entry.Name);
        c_.grid.SetText(row, PathColumn, entry.Path);
    }
    c_.grid.SetRow(GridFirstEntryRow);
    OnGridSelect();
}

void OptionsDialog::OnClosed() { s_.model.OptionsOpen = false; }

void OptionsDialog::OnDistanceChange() { c_.distanceValue.SetCaption(std::to_string(c_.distanceSlider.Position())); }
void OptionsDialog::OnLeadInChange() { c_.leadInValue.SetCaption(std::to_string(c_.leadInSlider.Position())); }
void OptionsDialog::OnScatterChange() { c_.scatterValue.SetCaption(std::to_string(c_.scatterSlider.Position())); }

void OptionsDialog::OnOk() {
    // The model takes the edits only once they are safely on disk, so that a
    // failed save leaves the model and the file agreeing, and the dialog keeps
    // the user's work for another try.
    Model saved = s_.model;
    saved.Settings.MoveDistance = ToSetting(c_.distanceSlider.Position());
    saved.Settings.LeadInIntensity = ToSetting(c_.leadInSlider.Position());
    saved.Settings.ScatterIntensity = ToSetting(c_.scatterSlider.Position());
    if (const int pattern = c_.patternChoice.Selected(); pattern >= 0) saved.Settings.BackgroundPattern = ToSetting(pattern);
    for (int slot = 0; slot < LaunchSlotCount; ++slot) {
        saved.List[slot].Name = c_.grid.Text(slot + 1, NameColumn);
        saved.List[slot].Path = c_.grid.Text(slot + 1, PathColumn);
    }
    if (const auto failure = s_.listFile.SaveListFile(saved)) {
        s_.messages.Show(*failure, TitleError, MessageButtons::Ok);
        return;
    }
    s_.model.Settings = saved.Settings;
    s_.model.List = std::move(saved.List);
    // The shortcut after the list, which holds the most work: when it fails,
    // the list is already safe and the dialog stays with the box as the user set it.
    const bool startAtSignIn = c_.startAtSignInBox.Checked();
    if (const auto failure = s_.startupShortcut.Set(startAtSignIn)) {
        std::string message(startAtSignIn ? StartupSetFailure : StartupClearFailure);
        if (!failure->empty()) message += "\r\n" + *failure;
        s_.messages.Show(message, TitleError, MessageButtons::Ok);
        return;
    }
    s_.window.Close();
}

void OptionsDialog::OnCancel() { s_.window.Close(); }

void OptionsDialog::OnVersion() {
    if (s_.showAbout) s_.showAbout();
}

void OptionsDialog::OnExit() {
    if (s_.messages.Show(ExitQuestion, TitleMessage, MessageButtons::YesNo) != MessageAnswer::Yes) return;
    s_.window.Close();
    s_.mainWindow.Close();
}

int OptionsDialog::CurrentRow() const { return std::clamp(c_.grid.Row(), GridFirstEntryRow, GridLastEntryRow); }

int OptionsDialog::FirstFreeRow() const {
    for (int row = GridFirstEntryRow; row <= GridLastEntryRow; ++row) {
        if (c_.grid.Text(row, PathColumn).empty()) return row;
    }
    return 0;
}

void OptionsDialog::SwapRows(int first, int second) {
    for (int column : {NameColumn, PathColumn}) {
        const std::string above = c_.grid.Text(first, column);
        c_.grid.SetText(first, column, c_.grid.Text(second, column));
        c_.grid.SetText(second, column, above);
    }
}

void OptionsDialog::OnGridSelect() {
    const std::string path = c_.grid.Text(CurrentRow(), PathColumn);
    if (path.empty()) {
        c_.preview.Clear();
    } else if (IsRecycleBinPath(path)) {
        c_.preview.ShowRecycleBin();
    } else if (s_.search.FindsEntry(path)) {
        c_.preview.Clear();
        c_.preview.DrawTargetIcon(path);
    } else {
        c_.preview.Clear();
    }
}

void OptionsDialog::OnEdit() {
    const int row = CurrentRow();
    EntryEditorPreset preset{c_.grid.Text(row, NameColumn), c_.grid.Text(row, PathColumn), false};
    if (preset.Name.empty() && preset.Path.empty()) {
        s_.messages.Show(BlankRowMessage, TitleError, MessageButtons::Ok);
        return;
    }
    preset.RecycleBin = IsRecycleBinPath(preset.Path);
    s_.editor.ShowModal(preset);
}

void OptionsDialog::OnAdd() {
    const int row = FirstFreeRow();
    if (row == 0) {
        s_.messages.Show(ListFullMessage, TitleError, MessageButtons::Ok);
        return;
    }
    c_.grid.SetRow(row);
    s_.editor.ShowModal(EntryEditorPreset{});
}

void OptionsDialog::OnMoveUp() {
    const int row = CurrentRow();
    if (row == GridFirstEntryRow || c_.grid.Text(row, PathColumn).empty()) return;
    SwapRows(row, row - 1);
    c_.grid.SetRow(row - 1);
}

void OptionsDialog::OnMoveDown() {
    const int row = CurrentRow();
    if (row == GridLastEntryRow || c_.grid.Text(row + 1, NameColumn).empty()) return;
    SwapRows(row, row + 1);
    c_.grid.SetRow(row + 1);
}

void OptionsDialog::OnDelete() {
    const int row = CurrentRow();
    const std::string question = c_.grid.Text(row, NameColumn) + std::string(DeleteQuestionSuffix);
    if (s_.messages.Show(question, TitleConfirm, MessageButtons::YesNo) != MessageAnswer::Yes) return;
    for (int i = row; i < GridLastEntryRow; ++i) {
        c_.grid.SetText(i, NameColumn, c_.grid.Text(i + 1, NameColumn));
        c_.grid.SetText(i, PathColumn, c_.grid.Text(i + 1, PathColumn));
    }
    c_.grid.SetText(GridLastEntryRow, NameColumn, "");
    c_.grid.SetText(GridLastEntryRow, PathColumn, "");
}

void OptionsDialog::OnGridDrop(const DroppedData& data) {
    if (!data.OffersFileList) return;
    for (const std::string& path : data.Files) {
        const int row = FirstFreeRow();
        if (row == 0) {
            s_.messages.Show(ListFullMessage, TitleError, MessageButtons::Ok);
            return;
        }
        c_.grid.SetText(row, NameColumn, TextAfterLastBackslash(path));
        c_.grid.SetText(row, PathColumn, path);
    }
}

}  // namespace yomorina
