#pragma once
// The options dialog: the list grid, the gesture sliders, the background
// pattern, and the buttons that save, discard, show the version and end the
// program, whether it starts at sign-in, and the call key. It edits a working copy; the
// model, filelist.txt and the Startup folder change on OK only.

#include <functional>
#include <string>
#include <string_view>

#include "core/ListFile.h"
#include "core/Model.h"
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

inline constexpr SliderSetup DistanceSliderSetup{MoveDistanceRange.Min, MoveDistanceRange.Max, 50, 1, 100};
// The lead-in's slider and the scatter's alike.
inline constexpr SliderSetup FastTickSliderSetup{FastTickCountRange.Min, FastTickCountRange.Max, 1, 1, 1};
inline constexpr int GridColumnWidthTwips = 3800;
inline constexpr int GridRowHeightTwips = 300;

// A stored value outside a slider's range is shown, and kept on OK, at the nearest end.
int ClampToSlider(int value, const SliderSetup& setup);

struct OptionsDialogControls {
    Grid& grid;
    PreviewBox& preview;
    Slider& distanceSlider;
    Slider& leadInSlider;
    Slider& scatterSlider;
    Label& distanceValue;
    Label& leadInValue;
    Label& scatterValue;
    OptionGroup& patternChoice;
    CheckBox& startAtSignInBox;
    KeyBox& callKeyBox;
    Label& callKeyNote;
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
    std::function<void()> showAbout;
};

class OptionsDialog {
public:
    OptionsDialog(const OptionsDialogControls& controls, const OptionsDialogServices& services);

    void Load();
    void OnClosed();

    void OnDistanceChange();
    void OnLeadInChange();
    void OnScatterChange();
    // The key box changed under the user's fingers.
    void OnCallKeyTyped();

    void OnOk();
    void OnCancel();
    void OnVersion();
    void OnExit();

    // The icon preview of the current row; also called by the entry editor.
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
    // 0 when every path cell is filled.
    int FirstFreeRow() const;
    void SwapRows(int first, int second);
    void ShowSlider(Slider& slider, Label& label, const SliderSetup& setup, std::int16_t value);

    OptionsDialogControls controls_;
    OptionsDialogServices services_;
};

}  // namespace yomorina
