#pragma once
// The entry editor on screen: modal over the options dialog, its controls laid
// out from twips, every event handed to EntryEditor.

#include <windows.h>

#include <functional>
#include <optional>

#include "options/EntryEditor.h"
#include "platform/win32/Dialog.h"
#include "platform/win32/Win32Controls.h"
#include "platform/win32/Win32MessageBoxes.h"

namespace yomorina::win32 {

inline constexpr wchar_t EntryEditorClass[] = L"YomorinaEntryEditor";

namespace editor_ids {
inline constexpr int NameBox = 201, PathBox = 202;
inline constexpr int OkButton = 211, CancelButton = 212, BrowseButton = 213;
inline constexpr int RecycleBinBox = 220;
inline constexpr int NameLabel = 231, PathLabel = 232;
}  // namespace editor_ids

class Win32EntryEditor final : public Dialog, private DialogWindow {
public:
    struct Services {
        Grid& grid;
        std::function<void()> refreshPreview;
        const DirectorySearch& search;
    };

    // Created hidden; RunModal shows it.
    Win32EntryEditor(HINSTANCE instance, HWND owner, const Services& services);
    ~Win32EntryEditor() override;

    EntryEditor& Logic() { return *logic_; }
    // Shows the editor with its owner disabled and returns when it has closed.
    void RunModal();

private:
    void Close() override;
    LRESULT OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;

    Win32TextBox nameBox_, pathBox_;
    Win32CheckBox recycleBinBox_;
    Win32MessageBoxes messages_;
    std::optional<Win32FileOpenDialog> files_;
    std::optional<EntryEditor> logic_;
};

}  // namespace yomorina::win32
