#include "options/OptionsDialog.h"

#include <algorithm>
#include <utility>

#include "core/CallKey.h"
#include "core/PathText.h"
#include "core/Texts.h"

namespace yomorina {
namespace {

constexpr int NameColumn = 0;
constexpr int PathColumn = 1;

std::int16_t ToSetting(int position) { return static_cast<std::int16_t>(position); }

// What the key box says of a key that is refused: beside it, and on OK.
struct RefusalTexts {
    TextId note;
    TextId message;
};
RefusalTexts TextsFor(CallKeyRefusal refusal) {
    switch (refusal) {
        case CallKeyRefusal::TypesACharacter:
            return {TextId::CallKeyTypesACharacterNote, TextId::CallKeyTypesACharacterMessage};
        case CallKeyRefusal::SystemShortcut:
            return {TextId::CallKeySystemShortcutNote, TextId::CallKeySystemShortcutMessage};
        default:
            return {TextId::CallKeyHeldElsewhereNote, TextId::CallKeyTakenMessage};
    }
}

}  // namespace

int ClampToSlider(int value, const SliderSetup& setup) { return std::clamp(value, setup.Min, setup.Max); }

OptionsDialog::OptionsDialog(const OptionsDialogControls& controls, const OptionsDialogServices& services)
    : controls_(controls), services_(services) {}

void OptionsDialog::ShowSlider(Slider& slider, Label& label, const SliderSetup& setup, std::int16_t value) {
    slider.Configure(setup);
    const int shown = ClampToSlider(value, setup);
    label.SetCaption(std::to_string(shown));
    slider.SetPosition(shown);
}

void OptionsDialog::Load() {
    // A file that could not be read at start-up, or was edited by hand, is shown as it is now.
    services_.listFile.ReloadIfChanged(services_.model, RereadPatience);
    const ScatterSettings& settings = services_.model.Settings;
    ShowSlider(controls_.distanceSlider, controls_.distanceValue, DistanceSliderSetup, settings.MoveDistance);
    ShowSlider(controls_.leadInSlider, controls_.leadInValue, FastTickSliderSetup, settings.FastTicksToStart);
    ShowSlider(controls_.scatterSlider, controls_.scatterValue, FastTickSliderSetup, settings.FastTicksPerTile);

    const int pattern = settings.BackgroundPattern;
    controls_.patternChoice.Select(IsBackgroundPattern(pattern) ? pattern : 0);
    controls_.startAtSignInBox.SetChecked(services_.startupShortcut.IsSet());
    controls_.callKeyBox.SetKey(settings.CallKey);
    ShowCallKeyNote();

    controls_.grid.SetColumnWidth(NameColumn, GridColumnWidthTwips);
    controls_.grid.SetColumnWidth(PathColumn, GridColumnWidthTwips);
    controls_.grid.SetText(0, NameColumn, Text(TextId::HeaderName));
    controls_.grid.SetText(0, PathColumn, Text(TextId::HeaderPath));
    for (int slot = 0; slot < LaunchSlotCount; ++slot) {
        const int row = slot + 1;
        controls_.grid.SetRowHeight(row, GridRowHeightTwips);
        const LaunchEntry& entry = services_.model.List[slot];
        if (entry.Name.empty() && entry.Path.empty()) continue;
        controls_.grid.SetText(row, NameColumn, entry.Name);
        controls_.grid.SetText(row, PathColumn, entry.Path);
    }
    controls_.grid.SetRow(GridFirstEntryRow);
    OnGridSelect();
}

void OptionsDialog::OnClosed() {
    services_.model.OptionsOpen = false;
    // Edits made by hand while the dialog was open count once it is gone (after a Cancel).
    services_.listFile.ReloadIfChanged(services_.model, RereadPatience);
    // Let go while the dialog was open, and tried again: the program that held it may have let go.
    HoldStoredCallKey(services_.model, services_.callKey, services_.layouts);
}

void OptionsDialog::ShowCallKeyNote() {
    const CallKeyRefusal refusal = services_.model.StoredCallKeyRefusal;
    const bool shown = refusal != CallKeyRefusal::None && controls_.callKeyBox.Key() == services_.model.Settings.CallKey;
    controls_.callKeyNote.SetCaption(shown ? Text(TextsFor(refusal).note) : "");
}

bool OptionsDialog::MayReplaceTheFile() {
    std::string question;
    switch (services_.listFile.CompareWithDisk()) {
        case DiskState::AsLastSeen:
            return true;
        case DiskState::NeverRead:
            question = Text(TextId::UnreadListFileReason);
            break;
        case DiskState::ChangedSinceRead:
            question = Text(TextId::ChangedListFileReason);
            break;
    }
    question += "\r\n";
    question += Text(TextId::ReplaceListFileQuestion);
    return services_.messages.Show(question, Text(TextId::TitleConfirm), MessageButtons::YesNo) == MessageAnswer::Yes;
}

void OptionsDialog::OnDistanceChange() {
    controls_.distanceValue.SetCaption(std::to_string(controls_.distanceSlider.Position()));
}
void OptionsDialog::OnLeadInChange() {
    controls_.leadInValue.SetCaption(std::to_string(controls_.leadInSlider.Position()));
}
void OptionsDialog::OnScatterChange() {
    controls_.scatterValue.SetCaption(std::to_string(controls_.scatterSlider.Position()));
}

void OptionsDialog::OnOk() {
    // The model takes the edits only once they are safely on disk, so that a
    // failed save leaves the model and the file agreeing, and the dialog keeps
    // the user's work for another try.
    Model saved = services_.model;
    saved.Settings.MoveDistance = ToSetting(controls_.distanceSlider.Position());
    saved.Settings.FastTicksToStart = ToSetting(controls_.leadInSlider.Position());
    saved.Settings.FastTicksPerTile = ToSetting(controls_.scatterSlider.Position());
    if (const int pattern = controls_.patternChoice.Selected(); pattern >= 0) {
        saved.Settings.BackgroundPattern = ToSetting(pattern);
    }
    for (int slot = 0; slot < LaunchSlotCount; ++slot) {
        saved.List[slot].Name = controls_.grid.Text(slot + 1, NameColumn);
        saved.List[slot].Path = controls_.grid.Text(slot + 1, PathColumn);
    }
    const std::uint16_t typed = controls_.callKeyBox.Key();
    const CallKey key(IsCallKeyCode(typed) ? typed : 0);
    saved.Settings.CallKey = key.Code();
    // A newly chosen key that is refused is no key to save; the key the file
    // already holds stays as it is, not held, and waits for the layout to go
    // or the program that holds it to let go.
    const bool keyKept = key.Code() == services_.model.Settings.CallKey;
    const CallKeyRefusal refusal = RefusalOf(key, services_.layouts);
    if (refusal != CallKeyRefusal::None && !keyKept) {
        services_.messages.Show(Text(TextsFor(refusal).message), Text(TextId::TitleError), MessageButtons::Ok);
        return;
    }
    // No is no save at all: the dialog stays with the edits.
    if (!MayReplaceTheFile()) return;
    if (!services_.callKey.Hold(refusal == CallKeyRefusal::None ? key.Code() : 0) && !keyKept) {
        services_.messages.Show(Text(TextId::CallKeyTakenMessage), Text(TextId::TitleError), MessageButtons::Ok);
        return;
    }
    if (const auto failure = services_.listFile.Save(saved)) {
        // The key does nothing while the dialog stays open.
        services_.callKey.Hold(0);
        services_.messages.Show(*failure, Text(TextId::TitleError), MessageButtons::Ok);
        return;
    }
    services_.model.Settings = saved.Settings;
    services_.model.List = std::move(saved.List);
    // The shortcut after the list, which holds the most work: when it fails,
    // the list is already safe and the dialog stays with the box as the user set it.
    const bool startAtSignIn = controls_.startAtSignInBox.Checked();
    if (const auto failure = services_.startupShortcut.Set(startAtSignIn)) {
        std::string message(Text(startAtSignIn ? TextId::StartupSetFailure : TextId::StartupClearFailure));
        if (!failure->empty()) message += "\r\n" + *failure;
        services_.callKey.Hold(0);
        services_.messages.Show(message, Text(TextId::TitleError), MessageButtons::Ok);
        return;
    }
    services_.window.Close();
}

void OptionsDialog::OnCancel() { services_.window.Close(); }

void OptionsDialog::OnCallKeyTyped() {
    const CallKey typed(controls_.callKeyBox.Key());
    if (const CallKey key = CompletedCallKey(typed, services_.layouts); key != typed) controls_.callKeyBox.SetKey(key.Code());
    ShowCallKeyNote();
}

void OptionsDialog::OnVersion() {
    if (services_.showAbout) services_.showAbout();
}

void OptionsDialog::OnExit() {
    const MessageAnswer answer =
        services_.messages.Show(Text(TextId::ExitQuestion), Text(TextId::TitleMessage), MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) return;
    services_.window.Close();
    services_.mainWindow.Close();
}

int OptionsDialog::CurrentRow() const { return std::clamp(controls_.grid.Row(), GridFirstEntryRow, GridLastEntryRow); }

int OptionsDialog::FirstFreeRow() const {
    for (int row = GridFirstEntryRow; row <= GridLastEntryRow; ++row) {
        if (controls_.grid.Text(row, PathColumn).empty()) return row;
    }
    return 0;
}

void OptionsDialog::SwapRows(int first, int second) {
    for (int column : {NameColumn, PathColumn}) {
        const std::string above = controls_.grid.Text(first, column);
        controls_.grid.SetText(first, column, controls_.grid.Text(second, column));
        controls_.grid.SetText(second, column, above);
    }
}

// Never waits for the file system: the icon is drawn when its answer comes in.
void OptionsDialog::OnGridSelect() {
    const std::string path = controls_.grid.Text(CurrentRow(), PathColumn);
    if (!path.empty() && !IsRecycleBinPath(path)) services_.lookup.Begin({path}, SystemIconSide);
    OnEntryAnswered();
}

void OptionsDialog::OnEntryAnswered() {
    const std::string path = controls_.grid.Text(CurrentRow(), PathColumn);
    if (IsRecycleBinPath(path)) {
        controls_.preview.ShowRecycleBin();
        return;
    }
    controls_.preview.Clear();
    if (!path.empty() && services_.lookup.Answer(path) == EntryAnswer::Found) controls_.preview.DrawTargetIcon(path);
}

void OptionsDialog::OnEdit() {
    const int row = CurrentRow();
    EntryEditorPreset preset{controls_.grid.Text(row, NameColumn), controls_.grid.Text(row, PathColumn), false};
    if (preset.Name.empty() && preset.Path.empty()) {
        services_.messages.Show(Text(TextId::BlankRowMessage), Text(TextId::TitleError), MessageButtons::Ok);
        return;
    }
    preset.RecycleBin = IsRecycleBinPath(preset.Path);
    services_.editor.ShowModal(preset);
}

void OptionsDialog::OnAdd() {
    const int row = FirstFreeRow();
    if (row == 0) {
        services_.messages.Show(Text(TextId::ListFullMessage), Text(TextId::TitleError), MessageButtons::Ok);
        return;
    }
    controls_.grid.SetRow(row);
    services_.editor.ShowModal(EntryEditorPreset{});
}

void OptionsDialog::OnMoveUp() {
    const int row = CurrentRow();
    if (row == GridFirstEntryRow || controls_.grid.Text(row, PathColumn).empty()) return;
    SwapRows(row, row - 1);
    controls_.grid.SetRow(row - 1);
}

void OptionsDialog::OnMoveDown() {
    const int row = CurrentRow();
    if (row == GridLastEntryRow || controls_.grid.Text(row + 1, NameColumn).empty()) return;
    SwapRows(row, row + 1);
    controls_.grid.SetRow(row + 1);
}

void OptionsDialog::OnDelete() {
    const int row = CurrentRow();
    const std::string question = Text(TextId::DeleteQuestion, controls_.grid.Text(row, NameColumn));
    const MessageAnswer answer = services_.messages.Show(question, Text(TextId::TitleConfirm), MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) return;
    for (int i = row; i < GridLastEntryRow; ++i) {
        controls_.grid.SetText(i, NameColumn, controls_.grid.Text(i + 1, NameColumn));
        controls_.grid.SetText(i, PathColumn, controls_.grid.Text(i + 1, PathColumn));
    }
    controls_.grid.SetText(GridLastEntryRow, NameColumn, "");
    controls_.grid.SetText(GridLastEntryRow, PathColumn, "");
}

void OptionsDialog::OnGridDrop(const DroppedData& data) {
    if (!data.OffersFileList) return;
    for (const std::string& path : data.Files) {
        const int row = FirstFreeRow();
        if (row == 0) {
            services_.messages.Show(Text(TextId::ListFullMessage), Text(TextId::TitleError), MessageButtons::Ok);
            return;
        }
        controls_.grid.SetText(row, NameColumn, TextAfterLastBackslash(path));
        controls_.grid.SetText(row, PathColumn, path);
    }
}

}  // namespace yomorina
