#pragma once
// The entry editor on screen: modal over the options dialog, its controls laid
// out from twips, every event handed to EntryEditor.

#include <windows.h>

#include <optional>

#include "options/EntryEditor.h"
#include "platform/win32/dialogs/Controls.h"
#include "platform/win32/dialogs/Dialog.h"
#include "platform/win32/dialogs/MessageBoxes.h"

namespace yomorina::win32 {


namespace editor_ids {
inline constexpr int NameBox = 201, PathBox = 202;
inline constexpr int OkButton = 211, CancelButton = 212, BrowseButton = 213;
inline constexpr int RecycleBinBox = 220;
inline constexpr int NameLabel = 231, PathLabel = 232;
}  // namespace editor_ids

class EntryEditorWindow final : public Dialog, private DialogWindow {
public:
    // Created hidden; RunModal shows it.
    EntryEditorWindow(HINSTANCE instance, HWND owner, const yomorina::DirectorySearch& search);
    ~EntryEditorWindow() override;

    EntryEditor& Logic() { return *logic_; }
    // Shows the editor with its owner disabled and returns, when it has
    // closed, the entry OK accepted; none after a Cancel.
    std::optional<LaunchEntry> RunModal();

private:
    void Close() override;
    LRESULT OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;

    TextBox nameBox_, pathBox_;
    CheckBox recycleBinBox_;
    MessageBoxes messages_;
    std::optional<FileOpenDialog> files_;
    std::optional<EntryEditor> logic_;
};

}  // namespace yomorina::win32
