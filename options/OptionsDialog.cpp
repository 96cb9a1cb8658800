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

// The recycle bin's marker is data, the same in every language; the user reads
// it in theirs. A name is the user's own unless it is the marker beside it.
std::string_view Shown(const LaunchEntry& entry, const std::string& text) {
    if (IsRecycleBinPath(entry.Path) && IsRecycleBinPath(text)) return Text(TextId::RecycleBinCaption);
    return text;
}

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

SliderSetup SliderSetupFor(const Setting& setting) {
    return {setting.Min, setting.Max, setting.PageStep, 1, setting.TickStep};
}

OptionsDialog::OptionsDialog(const OptionsDialogControls& controls, const OptionsDialogServices& services)
    : controls_(controls), services_(services) {}

void OptionsDialog::ShowSetting(int index) {
    const Setting& setting = Settings[index];
    const SettingControls& controls = controls_.settings[index];
    const std::int16_t value = services_.model.Settings.*setting.Member;
    switch (setting.Control) {
        case SettingControl::Slider: {
            // A stored value outside the range is shown, and kept on OK, at the nearest end.
            const std::int16_t shown = HeldToRange(setting, value);
            controls.slider->Configure(SliderSetupFor(setting));
            controls.beside->SetCaption(std::to_string(shown));
            controls.slider->SetPosition(shown);
            break;
        }
        case SettingControl::OptionGroup:
            controls.choice->Select(IsInRange(setting, value) ? value - setting.Min : 0);
            break;
        case SettingControl::KeyBox:
            controls.keyBox->SetKey(static_cast<std::uint16_t>(value));
            break;
    }
}

std::int16_t OptionsDialog::ChosenValue(int index) const {
    const Setting& setting = Settings[index];
    const SettingControls& controls = controls_.settings[index];
    switch (setting.Control) {
        case SettingControl::Slider:
            return static_cast<std::int16_t>(controls.slider->Position());
        case SettingControl::OptionGroup:
            if (const int chosen = controls.choice->Selected(); chosen >= 0) {
                return static_cast<std::int16_t>(setting.Min + chosen);
            }
            return services_.model.Settings.*setting.Member;
        case SettingControl::KeyBox:
            if (const std::uint16_t typed = controls.keyBox->Key(); IsCallKeyCode(typed)) {
                return static_cast<std::int16_t>(typed);
            }
            return 0;
    }
    return services_.model.Settings.*setting.Member;
}

void OptionsDialog::Load() {
    // A file that could not be read at start-up, or was edited by hand, is shown as it is now.
    services_.listFile.ReloadIfChanged(services_.model, RereadPatience);
    for (int setting = 0; setting < SettingCount; ++setting) ShowSetting(setting);
    controls_.startAtSignInBox.SetChecked(services_.startupShortcut.IsSet());
    ShowCallKeyNote();

    controls_.grid.SetColumnWidth(NameColumn, GridColumnWidthTwips);
    controls_.grid.SetColumnWidth(PathColumn, GridColumnWidthTwips);
    controls_.grid.SetText(0, NameColumn, Text(TextId::HeaderName));
    controls_.grid.SetText(0, PathColumn, Text(TextId::HeaderPath));
    entries_ = services_.model.List;
    for (int row = GridFirstEntryRow; row <= GridLastEntryRow; ++row) {
        controls_.grid.SetRowHeight(row, GridRowHeightTwips);
        ShowRow(row);
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
    const bool shown = refusal != CallKeyRefusal::None && CallKeyBox().Key() == services_.model.Settings.CallKey;
    controls_.settings[CallKeySetting].beside->SetCaption(shown ? Text(TextsFor(refusal).note) : "");
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

void OptionsDialog::OnSliderMoved(int setting) {
    const SettingControls& controls = controls_.settings[setting];
    controls.beside->SetCaption(std::to_string(controls.slider->Position()));
}

void OptionsDialog::OnOk() {
    // The model takes the edits only once they are safely on disk, so that a
    // failed save leaves the model and the file agreeing, and the dialog keeps
    // the user's work for another try.
    Model saved = services_.model;
    for (int setting = 0; setting < SettingCount; ++setting) saved.Settings.*Settings[setting].Member = ChosenValue(setting);
    saved.List = entries_;
    const CallKey key(static_cast<std::uint16_t>(saved.Settings.CallKey));
    // A newly chosen key that is refused is no key to save; the key the file
    // already holds stays as it is, not held, and waits for the layout to go
    // or the program that holds it to let go.
    const bool keyKept = saved.Settings.CallKey == services_.model.Settings.CallKey;
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
    const CallKey typed(CallKeyBox().Key());
    if (const CallKey key = CompletedCallKey(typed, services_.layouts); key != typed) CallKeyBox().SetKey(key.Code());
    ShowCallKeyNote();
}

void OptionsDialog::OnVersion() {
    services_.about.ShowModal();
}

void OptionsDialog::OnExit() {
    const MessageAnswer answer =
        services_.messages.Show(Text(TextId::ExitQuestion), Text(TextId::TitleMessage), MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) return;
    services_.window.Close();
    services_.mainWindow.Close();
}

int OptionsDialog::CurrentRow() const { return std::clamp(controls_.grid.Row(), GridFirstEntryRow, GridLastEntryRow); }

void OptionsDialog::ShowRow(int row) {
    const LaunchEntry& entry = EntryAt(row);
    controls_.grid.SetText(row, NameColumn, Shown(entry, entry.Name));
    controls_.grid.SetText(row, PathColumn, Shown(entry, entry.Path));
}

int OptionsDialog::FirstFreeRow() const {
    for (int row = GridFirstEntryRow; row <= GridLastEntryRow; ++row) {
        if (EntryAt(row).Path.empty()) return row;
    }
    return 0;
}

void OptionsDialog::SwapRows(int first, int second) {
    std::swap(EntryAt(first), EntryAt(second));
    ShowRow(first);
    ShowRow(second);
}

// Never waits for the file system: the icon is drawn when its answer comes in.
void OptionsDialog::OnGridSelect() {
    const std::string& path = EntryAt(CurrentRow()).Path;
    if (!path.empty() && !IsRecycleBinPath(path)) services_.lookup.Begin({path}, SystemIconSide);
    OnEntryAnswered();
}

void OptionsDialog::OnEntryAnswered() {
    const std::string& path = EntryAt(CurrentRow()).Path;
    if (IsRecycleBinPath(path)) {
        controls_.preview.ShowRecycleBin();
        return;
    }
    controls_.preview.Clear();
    if (!path.empty() && services_.lookup.Answer(path) == EntryAnswer::Found) controls_.preview.DrawTargetIcon(path);
}

void OptionsDialog::TakeEditorsEntry(const std::optional<LaunchEntry>& entry) {
    if (!entry) return;
    // The row current when the editor closed.
    const int row = CurrentRow();
    EntryAt(row) = *entry;
    ShowRow(row);
    // The recycle bin's picture waits for the next click on the grid.
    if (!IsRecycleBinPath(entry->Path)) OnGridSelect();
}

void OptionsDialog::OnEdit() {
    const LaunchEntry& entry = EntryAt(CurrentRow());
    if (entry.Name.empty() && entry.Path.empty()) {
        services_.messages.Show(Text(TextId::BlankRowMessage), Text(TextId::TitleError), MessageButtons::Ok);
        return;
    }
    TakeEditorsEntry(services_.editor.ShowModal(EntryEditorPreset{entry.Name, entry.Path, IsRecycleBinPath(entry.Path)}));
}

void OptionsDialog::OnAdd() {
    const int row = FirstFreeRow();
    if (row == 0) {
        services_.messages.Show(Text(TextId::ListFullMessage), Text(TextId::TitleError), MessageButtons::Ok);
        return;
    }
    controls_.grid.SetRow(row);
    TakeEditorsEntry(services_.editor.ShowModal(EntryEditorPreset{}));
}

void OptionsDialog::OnMoveUp() {
    const int row = CurrentRow();
    if (row == GridFirstEntryRow || EntryAt(row).Path.empty()) return;
    SwapRows(row, row - 1);
    controls_.grid.SetRow(row - 1);
}

void OptionsDialog::OnMoveDown() {
    const int row = CurrentRow();
    if (row == GridLastEntryRow || EntryAt(row + 1).Name.empty()) return;
    SwapRows(row, row + 1);
    controls_.grid.SetRow(row + 1);
}

void OptionsDialog::OnDelete() {
    const int row = CurrentRow();
    const std::string_view name = Shown(EntryAt(row), EntryAt(row).Name);
    const std::string question =
        name.empty() ? std::string(Text(TextId::DeleteUnnamedQuestion)) : Text(TextId::DeleteQuestion, name);
    const MessageAnswer answer = services_.messages.Show(question, Text(TextId::TitleConfirm), MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) return;
    for (int i = row; i < GridLastEntryRow; ++i) {
        EntryAt(i) = std::move(EntryAt(i + 1));
        ShowRow(i);
    }
    EntryAt(GridLastEntryRow) = LaunchEntry{};
    ShowRow(GridLastEntryRow);
}

void OptionsDialog::OnGridDrop(const DroppedData& data) {
    if (!data.OffersFileList) return;
    for (const std::string& path : data.Files) {
        const int row = FirstFreeRow();
        if (row == 0) {
            services_.messages.Show(Text(TextId::ListFullMessage), Text(TextId::TitleError), MessageButtons::Ok);
            return;
        }
        EntryAt(row) = LaunchEntry{TextAfterLastBackslash(path), path};
        ShowRow(row);
    }
}

}  // namespace yomorina
