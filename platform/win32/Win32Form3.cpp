#include "platform/win32/Win32Form3.h"

#include <vector>

namespace yomorina::win32 {
namespace {

using namespace form3_ids;

constexpr DWORD Button = OrangeButtonStyle;
constexpr DWORD Edit = ES_AUTOHSCROLL | WS_TABSTOP;

constexpr Dialog::Frame Form3Frame{EntryEditorClass, EntryEditorCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                   WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, 4680, 3690,
                                   Dialog::Placement::CentredOnMonitor};

// In tab order.
std::vector<ControlPlacement> Form3Layout() {
    return {
        {Text1, L"EDIT", "", Edit | WS_GROUP, WS_EX_CLIENTEDGE, 120, 480, 4215, 315, DialogPoints},
        {Label1, L"STATIC", HeaderName, SS_LEFT | SS_NOPREFIX, 0, 120, 120, 1215, 255, LabelPoints},
        {Text2, L"EDIT", "", Edit, WS_EX_CLIENTEDGE, 120, 1320, 4215, 315, DialogPoints},
        {Label2, L"STATIC", HeaderPath, SS_LEFT | SS_NOPREFIX, 0, 120, 960, 1215, 255, LabelPoints},
        {Command1, L"BUTTON", OkCaption, Button, 0, 180, 3060, 1035, 435, DialogPoints},
        {Command2, L"BUTTON", CancelCaption, Button, 0, 1440, 3060, 1035, 435, DialogPoints},
        {Command3, L"BUTTON", BrowseCaption, Button, 0, 3300, 1800, 1035, 435, DialogPoints},
        {Check1, L"BUTTON", RecycleBinCaption, BS_AUTOCHECKBOX | WS_TABSTOP, 0, 180, 2100, 1875, 195, DialogPoints},
    };
}

}  // namespace

Win32Form3::Win32Form3(HINSTANCE instance, HWND owner, const Services& services) : Dialog(instance, owner) {
    if (!CreateDialogWindow(Form3Frame)) return;
    CreateControls(Form3Layout());
    text1_ = Win32TextBox(Control(Text1));
    text2_ = Win32TextBox(Control(Text2));
    check1_ = Win32CheckBox(Control(Check1));
    messages_.SetOwner(Handle());
    files_.emplace(Handle());
    form3_.emplace(Form3Controls{text1_, text2_, check1_},
                   Form3Services{services.FG, services.FG_Click, services.search, messages_, *files_, *this});
}

Win32Form3::~Win32Form3() { CloseDialog(); }

void Win32Form3::Close() { CloseDialog(); }

void Win32Form3::RunModal() { Dialog::RunModal(Control(Text1)); }

LRESULT Win32Form3::OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam && form3_) {
            switch (LOWORD(wParam)) {
            case Command1: form3_->Command1_Click(); break;
            case Command2: form3_->Command2_Click(); break;
            case Command3: form3_->Command3_Click(); break;
            default: break;
            }
        }
        return 0;
    case WM_CLOSE:
        // The close box is Cancel.
        if (form3_) form3_->Command2_Click();
        return 0;
    default:
        return DefWindowProcW(Handle(), message, wParam, lParam);
    }
}

}  // namespace yomorina::win32
