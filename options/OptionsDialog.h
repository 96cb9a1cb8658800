#pragma once
// The options dialog: the list grid, the gesture sliders, the background
// pattern, and the buttons that save, discard, show the version and end the
// program, whether it starts at sign-in, and the call key. It edits a working
// copy of the list, which the grid shows; the model, filelist.txt and the
// Startup folder change on OK only.

#include <array>
#include <string>
#include <string_view>

#include "core/ListFile.h"
#include "core/Model.h"
#include "core/Settings.h"
#include "platform/AboutWindow.h"
#include "platform/CallKey.h"
#include "platform/Controls.h"
#include "platform/EntryLookup.h"
#include "platform/EntryEditorDialog.h"
#include "platform/FileDrop.h"
#include "platform/KeyboardLayouts.h"
#include "platform/MainWindow.h"
#include "platform/MessageBoxes.h"
#include "platform/StartupShortcut.h"

namespace yomorina {

inline constexpr int GridColumnWidthTwips = 3800;
inline constexpr int GridRowHeightTwips = 300;

SliderSetup SliderSetupFor(const Setting& setting);

// The controls that show one setting: those of its kind; the others are null.
struct SettingControls {
    Slider* slider = nullptr;
    OptionGroup* choice = nullptr;
    KeyBox* keyBox = nullptr;
    Label* beside = nullptr;  // the slider's number, or the key's note
};

struct OptionsDialogControls {
    Grid& grid;
    PreviewBox& preview;
    CheckBox& startAtSignInBox;
    std::array<SettingControls, SettingCount> settings;  // in the order of Settings
};

struct OptionsDialogServices {
    Model& model;
    ListFile& listFile;
    StartupShortcut& startupShortcut;
    MessageBoxes& messages;
    EntryLookup& lookup;
    EntryEditorDialog& editor;
    DialogWindow& window;
    MainWindow& mainWindow;
    CallKeyHolder& callKey;
    const KeyboardLayouts& layouts;
    AboutBoxDialog& about;
};

class OptionsDialog {
public:
    OptionsDialog(const OptionsDialogControls& controls, const OptionsDialogServices& services);

    void Load();
    void OnClosed();

    // The slider of Settings[setting] moved.
    void OnSliderMoved(int setting);
    // The key box changed under the user's fingers.
    void OnCallKeyTyped();

    void OnOk();
    void OnCancel();
    void OnVersion();
    void OnExit();

    // The icon preview of the current row.
    void OnGridSelect();
    // An entry's existence or icon came in: the preview shows what is now known.
    void OnEntryAnswered();
    void OnEdit();
    void OnAdd();
    void OnMoveUp();
    void OnMoveDown();
    void OnDelete();
    void OnGridDrop(const DroppedData& data);

private:
    // The note beside the key box while it shows the stored key, not held.
    void ShowCallKeyNote();
    // Asks before OK replaces a file the user has not seen as it is.
    bool MayReplaceTheFile();
    int CurrentRow() const;
    LaunchEntry& EntryAt(int row) { return entries_[row - GridFirstEntryRow]; }
    const LaunchEntry& EntryAt(int row) const { return entries_[row - GridFirstEntryRow]; }
    // The entry of the row as the grid shows it.
    void ShowRow(int row);
    // The editor's entry in the current row.
    void TakeEditorsEntry(const std::optional<LaunchEntry>& entry);
    // 0 when every entry has a path.
    int FirstFreeRow() const;
    void SwapRows(int first, int second);
    void ShowSetting(int setting);
    // What OK would save of the setting; the call key's as it is typed.
    std::int16_t ChosenValue(int setting) const;
    KeyBox& CallKeyBox() const { return *controls_.settings[CallKeySetting].keyBox; }

    OptionsDialogControls controls_;
    OptionsDialogServices services_;
    // The list as edited: what the grid shows, and what OK saves.
    LaunchList entries_;
};

}  // namespace yomorina
