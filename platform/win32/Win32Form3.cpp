#include "platform/win32/Win32Form3.h"

#include <vector>

namespace yomorina::win32 {
namespace {

using namespace form3_ids;

constexpr int ClientWidthTwips = 4680;
constexpr int ClientHeightTwips = 3690;
constexpr DWORD Button = OrangeButtonStyle;
constexpr DWORD Edit = ES_AUTOHSCROLL | WS_TABSTOP;

// In tab order.
std::vector<ControlPlacement> Form3Layout() {
    return {
        {Text1, L"EDIT", L"", Edit | WS_GROUP, WS_EX_CLIENTEDGE, 120, 480, 4215, 315, DialogPoints},
        {Label1, L"STATIC", L"名前", SS_LEFT | SS_NOPREFIX, 0, 120, 120, 1215, 255, LabelPoints},
        {Text2, L"EDIT", L"", Edit, WS_EX_CLIENTEDGE, 120, 1320, 4215, 315, DialogPoints},
        {Label2, L"STATIC", L"パス", SS_LEFT | SS_NOPREFIX, 0, 120, 960, 1215, 255, LabelPoints},
        {Command1, L"BUTTON", L"OK", Button, 0, 180, 3060, 1035, 435, DialogPoints},
        {Command2, L"BUTTON", L"キャンセル", Button, 0, 1440, 3060, 1035, 435, DialogPoints},
        {Command3, L"BUTTON", L"参照", Button, 0, 3300, 1800, 1035, 435, DialogPoints},
        {Check1, L"BUTTON", L"ゴミ箱", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 180, 2100, 1875, 195, DialogPoints},
    };
}

}  // namespace

Win32Form3::Win32Form3(HINSTANCE instance, HWND owner, const Services& services) : owner_(owner) {
    Register(instance, EntryEditorClass, DialogBackgroundBrush());
    Create(instance, EntryEditorClass, EntryEditorTitle, WS_POPUP | WS_CAPTION | WS_SYSMENU,
           WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, 0, 0, 100, 100, owner);
    if (!Handle()) return;
    const UINT dpi = WindowDpi(Handle());
    layout_.Create(Handle(), instance, Form3Layout(), dpi);
    text1_ = Win32TextBox(layout_.Control(Text1));
    text2_ = Win32TextBox(layout_.Control(Text2));
    check1_ = Win32CheckBox(layout_.Control(Check1));
    messages_.SetOwner(Handle());
    files_.emplace(Handle());
    PlaceDialog(Handle(), ClientWidthTwips, ClientHeightTwips, dpi);
    form3_.emplace(Form3Controls{text1_, text2_, check1_},
                   Form3Services{services.FG, services.FG_Click, services.search, messages_, *files_, *this});
}

Win32Form3::~Win32Form3() {
    if (Handle()) Close();
}

void Win32Form3::Close() {
    // The owner comes back first, so that it, not some other program, is activated.
    if (owner_) EnableWindow(owner_, TRUE);
    if (Handle()) DestroyWindow(Handle());
}

void Win32Form3::RunModal() {
    if (!Handle()) return;
    if (owner_) EnableWindow(owner_, FALSE);
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    SetFocus(layout_.Control(Text1));
    MSG message;
    while (Handle()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: close, and let the outer loop see the quit too.
            Close();
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        if (Handle() && IsDialogMessageW(Handle(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

LRESULT Win32Form3::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (LRESULT result = 0; HandleLookMessage(Handle(), layout_, message, wParam, lParam, result)) return result;
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
