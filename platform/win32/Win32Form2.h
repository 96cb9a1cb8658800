#pragma once
// The options dialog on screen: a modeless top-level window with no owner,
// its controls laid out from twips, every event handed to Form2.

#include <windows.h>

#include <functional>
#include <optional>

#include "core/ListFile.h"
#include "core/Model.h"
#include "options/Form2.h"
#include "platform/win32/Dialog.h"
#include "platform/win32/FileDropTarget.h"
#include "platform/win32/Win32Controls.h"
#include "platform/win32/Win32MessageBoxes.h"

namespace yomorina::win32 {

inline constexpr wchar_t OptionsDialogClass[] = L"YomorinaForm2";

// Control IDs; none is IDOK or IDCANCEL, so Enter and Esc trigger nothing.
namespace form2_ids {
inline constexpr int Command1 = 101, Command2 = 102, Command4 = 104, Command5 = 105, Command6 = 106, Command7 = 107,
                     Command8 = 108, Command9 = 109, Command10 = 110;
inline constexpr int FG = 120, Picture1 = 121;
inline constexpr int Slider1 = 131, Slider2 = 132, Slider3 = 133;
inline constexpr int Label1 = 141, Label2 = 142, Label3 = 143, Label4 = 144, Label5 = 145, Label6 = 146, Label7 = 147;
inline constexpr int Option1 = 150;  // 150..153
inline constexpr int Check1 = 160;   // start at sign-in
}  // namespace form2_ids

class Win32Form2 final : public Dialog, private DialogWindow, private EntryEditor {
public:
    struct Services {
        Model& model;
        ListFile& listFile;
        StartupShortcut& startupShortcut;
        const DirectorySearch& search;
        MainWindow& mainWindow;
        std::function<void(HWND owner)> showAbout;  // the about box, modal over this dialog
    };

    // Creates, loads and shows the dialog.
    Win32Form2(HINSTANCE instance, const Services& services);
    ~Win32Form2() override;

    // For the message loop: keyboard navigation between the controls.
    bool TranslateDialogMessage(MSG& message);

    Win32Grid& Grid() { return grid_; }
    Win32PreviewBox& Preview() { return *preview_; }
    Form2& Logic() { return *form2_; }

private:
    LRESULT OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    void OnLaidOut(UINT dpi) override;
    void Close() override;
    void ShowModal(const EntryEditorPreset& preset) override;
    void OnCommand(int id);
    void OnNotify(const NMHDR& header);
    void PaintSeparator();

    Services services_;
    Win32Grid grid_;
    std::optional<Win32PreviewBox> preview_;
    Win32Slider slider1_, slider2_, slider3_;
    Win32Label label3_, label4_, label6_;
    Win32OptionGroup option1_;
    Win32CheckBox check1_;
    Win32MessageBoxes messages_;
    std::optional<Form2> form2_;
    FileDropRegistration drop_;
    HWND focus_ = nullptr;
    bool unloaded_ = false;
};

}  // namespace yomorina::win32
