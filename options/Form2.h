#pragma once
// The options dialog: the list grid, the gesture sliders, the background
// pattern, and the buttons that save, discard, show the version and end the
// program, and whether it starts at sign-in. It edits a working copy; the
// model, filelist.txt and the Startup folder change on OK only.

#include <functional>
#include <string>
#include <string_view>

#include "core/ListFile.h"
#include "core/Model.h"
#include "options/OptionsTexts.h"
#include "platform/Controls.h"
#include "platform/DirectorySearch.h"
#include "platform/EntryEditor.h"
#include "platform/FileDrop.h"
#include "platform/MainWindow.h"
#include "platform/MessageBoxes.h"
#include "platform/StartupShortcut.h"

namespace yomorina {

inline constexpr SliderSetup Slider1Setup{10, 500, 50, 1, 100};  // MoveDistance
inline constexpr SliderSetup Slider2Setup{1, 10, 1, 1, 1};       // LeadInIntensity
inline constexpr SliderSetup Slider3Setup{1, 10, 1, 1, 1};       // ScatterIntensity
inline constexpr int GridColumnWidthTwips = 3800;
inline constexpr int GridRowHeightTwips = 300;

// A stored value outside a slider's range is shown, and kept on OK, at the nearest end.
int ClampToSlider(int value, const SliderSetup& setup);

struct Form2Controls {
    Grid& FG;
    PreviewBox& Picture1;
    Slider& Slider1;
    Slider& Slider2;
    Slider& Slider3;
    Label& Label3;
    Label& Label4;
    Label& Label6;
    OptionGroup& Option1;
    CheckBox& Check1;  // start at sign-in
};

struct Form2Services {
    Model& model;
    ListFile& listFile;
    StartupShortcut& startupShortcut;
    MessageBoxes& messages;
    const DirectorySearch& search;
    EntryEditor& editor;
    DialogWindow& window;
    MainWindow& mainWindow;
    std::function<void()> showAbout;
};

class Form2 {
public:
    Form2(const Form2Controls& controls, const Form2Services& services);

    void Form_Load();
    void Form_Unload();

    void Slider1_Change();
    void Slider2_Change();
    void Slider3_Change();

    void Command1_Click();   // OK
    void Command2_Click();   // Cancel
    void Command9_Click();   // version
    void Command10_Click();  // exit

    // The icon preview of the current row; also called by the entry editor.
    void FG_Click();
    void Command6_Click();  // edit
    void Command8_Click();  // add
    void Command4_Click();  // move up
    void Command5_Click();  // move down
    void Command7_Click();  // delete
    void FG_OLEDragDrop(const DroppedData& data);

private:
    int CurrentRow() const;
    // 0 when every path cell is filled.
    int FirstFreeRow() const;
    void SwapRows(int first, int second);
    void ShowSlider(Slider& slider, Label& label, const SliderSetup& setup, std::int16_t value);

    Form2Controls c_;
    Form2Services s_;
};

}  // namespace yomorina
