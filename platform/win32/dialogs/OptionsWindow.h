#pragma once
// The options dialog on screen: a modeless top-level window with no owner,
// its controls laid out from twips, every event handed to OptionsDialog.

#include <windows.h>

#include <array>
#include <optional>

#include "core/ListFile.h"
#include "core/Model.h"
#include "core/Settings.h"
#include "options/OptionsDialog.h"
#include "platform/DirectorySearch.h"
#include "platform/win32/desktop/FileDropTarget.h"
#include "platform/win32/dialogs/Controls.h"
#include "platform/win32/dialogs/Dialog.h"
#include "platform/win32/dialogs/Grid.h"
#include "platform/win32/dialogs/MessageBoxes.h"
#include "platform/win32/dialogs/PreviewBox.h"
#include "platform/win32/files/EntryLookup.h"

namespace yomorina::win32 {


// Control IDs; none is IDOK or IDCANCEL, so Enter and Esc trigger nothing.
namespace options_ids {
inline constexpr int OkButton = 101, CancelButton = 102, MoveUpButton = 104, MoveDownButton = 105, EditButton = 106,
                     DeleteButton = 107, AddButton = 108, VersionButton = 109, ExitButton = 110;
inline constexpr int ListGrid = 120, IconPreview = 121;
inline constexpr int DistanceSlider = 131, LeadInSlider = 132, ScatterSlider = 133;
inline constexpr int DistanceLabel = 141, LeadInLabel = 142, DistanceValue = 143, LeadInValue = 144, ScatterLabel = 145,
                     ScatterValue = 146, PatternLabel = 147;
inline constexpr int FirstPatternButton = 150;  // then one up for each further pattern
inline constexpr int StartAtSignInBox = 160;
inline constexpr int CallKeyLabel = 170, CallKeyBox = 171, CallKeyNote = 172;
}  // namespace options_ids

class OptionsWindow final : public Dialog, private DialogWindow, private EntryEditorDialog, private AboutBoxDialog {
public:
    struct Services {
        Model& model;
        ListFile& listFile;
        yomorina::StartupShortcut& startupShortcut;
        const yomorina::DirectorySearch& search;  // the entry editor's check on OK
        EntryLookup& lookup;       // the preview's
        yomorina::MainWindow& mainWindow;
        CallKeyHolder& callKey;
        const yomorina::KeyboardLayouts& layouts;
    };

    // Creates, loads and shows the dialog.
    OptionsWindow(HINSTANCE instance, const Services& services);
    ~OptionsWindow() override;

    // For the message loop: keyboard navigation between the controls.
    bool TranslateDialogMessage(MSG& message);

    Grid& EntryGrid() { return grid_; }
    PreviewBox& Preview() { return *preview_; }
    OptionsDialog& Logic() { return *logic_; }

private:
    LRESULT OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    void OnLaidOut(UINT dpi) override;
    void Close() override;
    std::optional<LaunchEntry> ShowModal(const EntryEditorPreset& preset) override;
    void ShowModal() override;
    void OnCommand(int id);
    void OnNotify(const NMHDR& header);
    void PaintSeparator();

    Services services_;
    Grid grid_;
    std::optional<PreviewBox> preview_;
    // Each setting's controls in the order of Settings, those of its kind set.
    std::array<Slider, SettingCount> sliders_;
    std::array<Label, SettingCount> besides_;
    OptionGroup patternChoice_;
    KeyBox callKeyBox_;
    CheckBox startAtSignInBox_;
    MessageBoxes messages_;
    std::optional<OptionsDialog> logic_;
    FileDropRegistration drop_;
    HWND focus_ = nullptr;
    bool unloaded_ = false;
};

}  // namespace yomorina::win32
