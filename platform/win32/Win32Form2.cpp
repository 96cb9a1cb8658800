#include "platform/win32/Win32Form2.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/Win32Form3.h"
#include "resources/resource.h"

namespace yomorina::win32 {
namespace {

using namespace form2_ids;

constexpr double BottomButtonPoints = 12;
constexpr DWORD Button = OrangeButtonStyle;
constexpr DWORD Caption = SS_LEFT | SS_NOPREFIX;
constexpr DWORD Track = TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM | WS_TABSTOP;
constexpr DWORD Radio = BS_AUTORADIOBUTTON;

// Under the sliders the rows stand 420 twips apart: the pattern, then start at
// sign-in; the button row keeps its 540 below the last and the edge its 600 below that.
constexpr int PatternTop = 5100;
constexpr int StartAtSignInTop = PatternTop + 420;
constexpr int ButtonRowTop = StartAtSignInTop + 540;
constexpr int ClientHeight = ButtonRowTop + 600;

// In tab order.
std::vector<ControlPlacement> Form2Layout() {
    return {
        {Command1, L"BUTTON", OkCaption, Button | WS_GROUP, 0, 60, ButtonRowTop, 1455, 435, BottomButtonPoints},
        {Command2, L"BUTTON", CancelCaption, Button, 0, 1620, ButtonRowTop, 1455, 435, BottomButtonPoints},
        {Label1, L"STATIC", MoveDistanceCaption, Caption, 0, 120, 3840, 4395, 255, LabelPoints},
        {Label2, L"STATIC", LeadInCaption, Caption, 0, 120, 4260, 4515, 255, LabelPoints},
        {Slider1, TRACKBAR_CLASSW, "", Track, 0, 3540, 3840, 3795, 255, DialogPoints},
        {Label3, L"STATIC", "0", Caption, 0, 7500, 3840, 495, 255, LabelPoints},
        {Slider2, TRACKBAR_CLASSW, "", Track, 0, 3540, 4260, 3795, 255, DialogPoints},
        {Label4, L"STATIC", "0", Caption, 0, 7500, 4260, 495, 255, LabelPoints},
        {Label5, L"STATIC", ScatterCaption, Caption, 0, 120, 4680, 4515, 255, LabelPoints},
        {Label6, L"STATIC", "0", Caption, 0, 7500, 4680, 495, 255, LabelPoints},
        {Slider3, TRACKBAR_CLASSW, "", Track, 0, 3540, 4680, 3795, 255, DialogPoints},
        {FG, WC_LISTVIEWW, "", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS | WS_TABSTOP,
         WS_EX_CLIENTEDGE, 120, 180, 7935, 2775, DialogPoints},
        {Command4, L"BUTTON", MoveUpCaption, Button, 0, 3600, 3060, 1335, 375, DialogPoints},
        {Command5, L"BUTTON", MoveDownCaption, Button, 0, 5040, 3060, 1335, 375, DialogPoints},
        {Command6, L"BUTTON", EditCaption, Button, 0, 720, 3060, 1335, 375, DialogPoints},
        {Command7, L"BUTTON", DeleteCaption, Button, 0, 6720, 3060, 1335, 375, DialogPoints},
        {Picture1, nullptr, "", 0, 0, 120, 3000, 480, 480, DialogPoints},
        {Command8, L"BUTTON", AddCaption, Button, 0, 2160, 3060, 1335, 375, DialogPoints},
        {Command9, L"BUTTON", VersionCaption, Button, 0, 5040, ButtonRowTop, 1455, 435, BottomButtonPoints},
        {Command10, L"BUTTON", ExitCaption, Button, 0, 6600, ButtonRowTop, 1455, 435, BottomButtonPoints},
        {Label7, L"STATIC", PatternCaption, Caption, 0, 120, PatternTop, 3435, 255, LabelPoints},
        {Option1 + 0, L"BUTTON", PatternCaptions[0], Radio | WS_GROUP | WS_TABSTOP, 0, 3540, PatternTop, 855, 255, LabelPoints},
        {Option1 + 1, L"BUTTON", PatternCaptions[1], Radio, 0, 4680, PatternTop, 855, 255, LabelPoints},
        {Option1 + 2, L"BUTTON", PatternCaptions[2], Radio, 0, 5820, PatternTop, 855, 255, LabelPoints},
        {Option1 + 3, L"BUTTON", PatternCaptions[3], Radio, 0, 6960, PatternTop, 855, 255, LabelPoints},
        {Check1, L"BUTTON", StartAtSignInCaption, BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, 120, StartAtSignInTop, 4395,
         255, LabelPoints},
    };
}

}  // namespace

Win32Form2::Win32Form2(HINSTANCE instance, const Services& services) : Dialog(instance, nullptr), services_(services) {
    const Frame frame{OptionsDialogClass, OptionsCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                      WS_EX_CONTROLPARENT, 8190, ClientHeight, Placement::CentredOnMonitor,
                      LoadIconW(instance, MAKEINTRESOURCEW(IDI_YOMORINA))};
    if (!CreateDialogWindow(frame)) return;
    // The preview is a window of our own; the layout only places it.
    preview_.emplace(instance, Handle(), Picture1);
    CreateControls(Form2Layout());
    const UINT dpi = WindowDpi(Handle());

    grid_.Attach(Control(FG), dpi);
    slider1_ = Win32Slider(Control(Slider1));
    slider2_ = Win32Slider(Control(Slider2));
    slider3_ = Win32Slider(Control(Slider3));
    label3_ = Win32Label(Control(Label3));
    label4_ = Win32Label(Control(Label4));
    label6_ = Win32Label(Control(Label6));
    option1_ = Win32OptionGroup({Control(Option1), Control(Option1 + 1), Control(Option1 + 2),
                                 Control(Option1 + 3)});
    check1_ = Win32CheckBox(Control(Check1));
    messages_.SetOwner(Handle());

    std::function<void()> showAbout;
    if (services_.showAbout) showAbout = [this] { services_.showAbout(Handle()); };
    form2_.emplace(Form2Controls{grid_, *preview_, slider1_, slider2_, slider3_, label3_, label4_, label6_, option1_,
                                 check1_},
                   Form2Services{services_.model, services_.listFile, services_.startupShortcut, messages_,
                                 services_.search, *this, *this, services_.mainWindow, std::move(showAbout)});
    form2_->Form_Load();
    drop_ = FileDropRegistration(grid_.Handle(), [this](const DroppedData& data) {
        if (form2_) form2_->FG_OLEDragDrop(data);
    });

    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    focus_ = Control(Command1);
    SetFocus(focus_);
}

Win32Form2::~Win32Form2() {
    // Unload while the logic and the controls still exist.
    CloseDialog();
}

bool Win32Form2::TranslateDialogMessage(MSG& message) {
    return Handle() && IsDialogMessageW(Handle(), &message);
}

void Win32Form2::Close() { CloseDialog(); }

void Win32Form2::ShowModal(const EntryEditorPreset& preset) {
    Win32Form3 editor(Instance(), Handle(), Win32Form3::Services{grid_, [this] { form2_->FG_Click(); }, services_.search});
    editor.Logic().Preset(preset);
    editor.RunModal();
}

void Win32Form2::OnCommand(int id) {
    if (!form2_) return;
    switch (id) {
    case Command1: form2_->Command1_Click(); break;
    case Command2: form2_->Command2_Click(); break;
    case Command4: form2_->Command4_Click(); break;
    case Command5: form2_->Command5_Click(); break;
    case Command6: form2_->Command6_Click(); break;
    case Command7: form2_->Command7_Click(); break;
    case Command8: form2_->Command8_Click(); break;
    case Command9: form2_->Command9_Click(); break;
    case Command10: form2_->Command10_Click(); break;
    default: break;  // IDOK and IDCANCEL from Enter and Esc among them
    }
}

void Win32Form2::OnNotify(const NMHDR& header) {
    if (header.idFrom != static_cast<UINT_PTR>(FG) || !form2_) return;
    if (header.code == LVN_ITEMCHANGED) grid_.OnItemChanged(reinterpret_cast<const NMLISTVIEW&>(header));
    if (header.code == NM_CLICK) form2_->FG_Click();
}

void Win32Form2::PaintSeparator() {
    const PaintDc paint(Handle());
    const UINT dpi = WindowDpi(Handle());
    MoveToEx(paint.get(), TwipsToPixels(60, dpi), TwipsToPixels(3540, dpi), nullptr);
    LineTo(paint.get(), TwipsToPixels(8100, dpi), TwipsToPixels(3540, dpi));
}

void Win32Form2::OnLaidOut(UINT dpi) { grid_.ApplyDpi(dpi); }

LRESULT Win32Form2::OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam) OnCommand(LOWORD(wParam));
        return 0;
    case WM_NOTIFY:
        if (!lParam) return 0;
        if (const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            header.idFrom == static_cast<UINT_PTR>(FG) && header.code == NM_CUSTOMDRAW) {
            return grid_.OnCustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(lParam));
        }
        OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        return 0;
    case WM_HSCROLL:
        if (form2_ && lParam) {
            const HWND from = reinterpret_cast<HWND>(lParam);
            if (from == slider1_.Handle()) form2_->Slider1_Change();
            if (from == slider2_.Handle()) form2_->Slider2_Change();
            if (from == slider3_.Handle()) form2_->Slider3_Change();
        }
        return 0;
    case GridRestoreSelectionMessage:
        grid_.RestoreSelection();
        return 0;
    case WM_PAINT:
        PaintSeparator();
        return 0;
    case WM_ACTIVATE:
        // Like a dialog, come back to the control that had the focus (after the editor, a message box).
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (HWND focus = GetFocus(); focus && IsChild(Handle(), focus)) focus_ = focus;
        } else if (focus_ && IsWindow(focus_) && !HIWORD(wParam)) {
            SetFocus(focus_);
            return 0;
        }
        return DefWindowProcW(Handle(), message, wParam, lParam);
    case WM_CLOSE:
        Close();
        return 0;
    case WM_DESTROY:
        drop_ = FileDropRegistration();
        if (form2_ && !unloaded_) {
            unloaded_ = true;
            form2_->Form_Unload();
        }
        return 0;
    default:
        return DefWindowProcW(Handle(), message, wParam, lParam);
    }
}

}  // namespace yomorina::win32
