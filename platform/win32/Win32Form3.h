#pragma once
// The entry editor on screen: modal over the options dialog, its controls laid
// out from twips, every event handed to Form3.

#include <windows.h>

#include <functional>
#include <optional>

#include "options/Form3.h"
#include "platform/win32/Dialog.h"
#include "platform/win32/Win32Controls.h"
#include "platform/win32/Win32MessageBoxes.h"

namespace yomorina::win32 {

inline constexpr wchar_t EntryEditorClass[] = L"YomorinaForm3";

namespace form3_ids {
inline constexpr int Text1 = 201, Text2 = 202;
inline constexpr int Command1 = 211, Command2 = 212, Command3 = 213;
inline constexpr int Check1 = 220;
inline constexpr int Label1 = 231, Label2 = 232;
}  // namespace form3_ids

class Win32Form3 final : public Dialog, private DialogWindow {
public:
    struct Services {
        Grid& FG;
        std::function<void()> FG_Click;
        const DirectorySearch& search;
    };

    // Created hidden; RunModal shows it.
    Win32Form3(HINSTANCE instance, HWND owner, const Services& services);
    ~Win32Form3() override;

    Form3& Logic() { return *form3_; }
    // Shows the editor with its owner disabled and returns when it has closed.
    void RunModal();

private:
    void Close() override;
    LRESULT OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;

    Win32TextBox text1_, text2_;
    Win32CheckBox check1_;
    Win32MessageBoxes messages_;
    std::optional<Win32FileOpenDialog> files_;
    std::optional<Form3> form3_;
};

}  // namespace yomorina::win32
