#include "platform/win32/dialogs/EntryEditorWindow.h"

#include "core/Texts.h"
#include "platform/win32/base/AppMessages.h"

#include <vector>

namespace yomorina::win32 {
namespace {

using namespace editor_ids;

constexpr DWORD Button = OrangeButtonStyle;
constexpr DWORD Edit = ES_AUTOHSCROLL | WS_TABSTOP;

Dialog::Frame EntryEditorFrame() {
    return {EntryEditorClass, Text(TextId::EntryEditorCaption), WS_POPUP | WS_CAPTION | WS_SYSMENU,
            WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, 4680, 3690, Dialog::Placement::CentredOnMonitor};
}

// In tab order.
std::vector<ControlPlacement> EntryEditorLayout() {
    using enum TextId;
    return {
        {NameBox, L"EDIT", "", Edit | WS_GROUP, WS_EX_CLIENTEDGE, 120, 480, 4215, 315, DialogPoints},
        {NameLabel, L"STATIC", Text(HeaderName), SS_LEFT | SS_NOPREFIX, 0, 120, 120, 1215, 255, LabelPoints},
        {PathBox, L"EDIT", "", Edit, WS_EX_CLIENTEDGE, 120, 1320, 4215, 315, DialogPoints},
        {PathLabel, L"STATIC", Text(HeaderPath), SS_LEFT | SS_NOPREFIX, 0, 120, 960, 1215, 255, LabelPoints},
        {OkButton, L"BUTTON", Text(OkCaption), Button, 0, 180, 3060, 1035, 435, DialogPoints},
        {CancelButton, L"BUTTON", Text(CancelCaption), Button, 0, 1440, 3060, 1035, 435, DialogPoints},
        {BrowseButton, L"BUTTON", Text(BrowseCaption), Button, 0, 3300, 1800, 1035, 435, DialogPoints},
        {RecycleBinBox, L"BUTTON", Text(RecycleBinCaption), BS_AUTOCHECKBOX | WS_TABSTOP, 0, 180, 2100, 1875, 195,
         DialogPoints},
    };
}

}  // namespace

EntryEditorWindow::EntryEditorWindow(HINSTANCE instance, HWND owner, const yomorina::DirectorySearch& search)
    : Dialog(instance, owner) {
    if (!CreateDialogWindow(EntryEditorFrame())) return;
    CreateControls(EntryEditorLayout());
    nameBox_ = TextBox(Control(NameBox));
    pathBox_ = TextBox(Control(PathBox));
    recycleBinBox_ = CheckBox(Control(RecycleBinBox));
    messages_.SetOwner(Handle());
    files_.emplace(Handle());
    logic_.emplace(EntryEditorControls{nameBox_, pathBox_, recycleBinBox_},
                   EntryEditorServices{search, messages_, *files_, *this});
}

EntryEditorWindow::~EntryEditorWindow() { CloseDialog(); }

void EntryEditorWindow::Close() { CloseDialog(); }

std::optional<LaunchEntry> EntryEditorWindow::RunModal() {
    Dialog::RunModal(Control(NameBox));
    return logic_ ? logic_->Result() : std::nullopt;
}

LRESULT EntryEditorWindow::OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam && logic_) {
            switch (LOWORD(wParam)) {
            case OkButton: logic_->OnOk(); break;
            case CancelButton: logic_->OnCancel(); break;
            case BrowseButton: logic_->OnBrowse(); break;
            default: break;
            }
        }
        return 0;
    case WM_CLOSE:
        // The close box is Cancel.
        if (logic_) logic_->OnCancel();
        return 0;
    default:
        return DefWindowProcW(Handle(), message, wParam, lParam);
    }
}

}  // namespace yomorina::win32
