#include "platform/win32/dialogs/OptionsWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "core/Texts.h"
#include "platform/win32/base/AppMessages.h"
#include "platform/win32/dialogs/AboutWindow.h"
#include "platform/win32/dialogs/EntryEditorWindow.h"
#include "resources/resource.h"

namespace yomorina::win32 {
namespace {

using namespace options_ids;

constexpr double BottomButtonPoints = 12;
constexpr DWORD Button = OrangeButtonStyle;
constexpr DWORD Caption = SS_LEFT | SS_NOPREFIX;
constexpr DWORD Track = TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM | WS_TABSTOP;
constexpr DWORD Radio = BS_AUTORADIOBUTTON;

// The rows under the sliders, each placed from the one above it, so that a row
// added or moved takes those below, and the window's height, along.
constexpr int PatternTop = 5100;
constexpr int StartAtSignInTop = PatternTop + 420;
constexpr int CallKeyTop = StartAtSignInTop + 420;
constexpr int ButtonRowTop = CallKeyTop + 540;
constexpr int ClientHeight = ButtonRowTop + 600;

// Where each setting's row sits, in the order of Settings: its caption, its
// control (the first option button), what is beside it, and the control it
// follows in the tab order.
struct SettingPlacement {
    int captionId, controlId, besideId;
    int top, captionWidth;
    int follows;
};
constexpr std::array<SettingPlacement, SettingCount> SettingPlacements{{
    {DistanceLabel, DistanceSlider, DistanceValue, 3840, 4395, CancelButton},
    {LeadInLabel, LeadInSlider, LeadInValue, 4260, 4515, DistanceValue},
    {ScatterLabel, ScatterSlider, ScatterValue, 4680, 4515, LeadInValue},
    {PatternLabel, FirstPatternButton, 0, PatternTop, 3435, ExitButton},
    {CallKeyLabel, CallKeyBox, CallKeyNote, CallKeyTop, 3315, StartAtSignInBox},
}};

// A setting's caption and control, and what is beside it, by its kind.
std::vector<ControlPlacement> SettingRow(const Setting& setting, const SettingPlacement& at) {
    const std::string_view caption = Text(setting.Caption);
    switch (setting.Control) {
    case SettingControl::Slider:
        return {{at.captionId, L"STATIC", caption, Caption, 0, 120, at.top, at.captionWidth, 255, LabelPoints},
                {at.controlId, TRACKBAR_CLASSW, "", Track, 0, 3540, at.top, 3795, 255, DialogPoints},
                {at.besideId, L"STATIC", "0", Caption, 0, 7500, at.top, 495, 255, LabelPoints}};
    case SettingControl::OptionGroup: {
        std::vector<ControlPlacement> row{
            {at.captionId, L"STATIC", caption, Caption, 0, 120, at.top, at.captionWidth, 255, LabelPoints}};
        for (int choice = 0; choice <= setting.Max - setting.Min; ++choice) {
            // The first starts the group and takes the tab; the arrows move among the rest.
            const DWORD first = choice == 0 ? WS_GROUP | WS_TABSTOP : 0;
            row.push_back({at.controlId + choice, L"BUTTON", Text(PatternCaptions[choice]), Radio | first, 0,
                           3540 + 1140 * choice, at.top, 855, 255, LabelPoints});
        }
        return row;
    }
    case SettingControl::KeyBox:
        return {{at.captionId, L"STATIC", caption, Caption, 0, 120, at.top + 30, at.captionWidth, 255, LabelPoints},
                // As tall as the control's own line; its top a little above the label's, so their texts align.
                {at.controlId, HOTKEY_CLASSW, "", WS_GROUP | WS_TABSTOP, WS_EX_CLIENTEDGE, 3540, at.top, 2415, 315,
                 LabelPoints},
                {at.besideId, L"STATIC", "", Caption, 0, 6015, at.top + 60, 2115, 255, DialogPoints}};
    }
    return {};
}

// In tab order.
std::vector<ControlPlacement> OptionsDialogLayout() {
    using enum TextId;
    std::vector<ControlPlacement> layout{
        {OkButton, L"BUTTON", Text(OkCaption), Button | WS_GROUP, 0, 60, ButtonRowTop, 1455, 435, BottomButtonPoints},
        {CancelButton, L"BUTTON", Text(CancelCaption), Button, 0, 1620, ButtonRowTop, 1455, 435, BottomButtonPoints},
        {ListGrid, WC_LISTVIEWW, "", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS | WS_TABSTOP,
         WS_EX_CLIENTEDGE, 120, 180, 7935, 2775, DialogPoints},
        {MoveUpButton, L"BUTTON", Text(MoveUpCaption), Button, 0, 3600, 3060, 1335, 375, DialogPoints},
        {MoveDownButton, L"BUTTON", Text(MoveDownCaption), Button, 0, 5040, 3060, 1335, 375, DialogPoints},
        {EditButton, L"BUTTON", Text(EditCaption), Button, 0, 720, 3060, 1335, 375, DialogPoints},
        {DeleteButton, L"BUTTON", Text(DeleteCaption), Button, 0, 6720, 3060, 1335, 375, DialogPoints},
        {IconPreview, nullptr, "", 0, 0, 120, 3000, 480, 480, DialogPoints},
        {AddButton, L"BUTTON", Text(AddCaption), Button, 0, 2160, 3060, 1335, 375, DialogPoints},
        {VersionButton, L"BUTTON", Text(VersionCaption), Button, 0, 5040, ButtonRowTop, 1455, 435, BottomButtonPoints},
        {ExitButton, L"BUTTON", Text(ExitCaption), Button, 0, 6600, ButtonRowTop, 1455, 435, BottomButtonPoints},
        {StartAtSignInBox, L"BUTTON", Text(StartAtSignInCaption), BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, 120,
         StartAtSignInTop, 4395, 255, LabelPoints},
    };
    for (int setting = 0; setting < SettingCount; ++setting) {
        const SettingPlacement& at = SettingPlacements[setting];
        const auto follows = std::find_if(layout.begin(), layout.end(),
                                          [&at](const ControlPlacement& control) { return control.id == at.follows; });
        const std::vector<ControlPlacement> row = SettingRow(Settings[setting], at);
        layout.insert(std::next(follows), row.begin(), row.end());
    }
    return layout;
}

}  // namespace

OptionsWindow::OptionsWindow(HINSTANCE instance, const Services& services) : Dialog(instance, nullptr), services_(services) {
    const Frame frame{OptionsDialogClass, Text(TextId::OptionsCaption), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                      WS_EX_CONTROLPARENT, 8190, ClientHeight, Placement::CentredOnMonitor,
                      LoadIconW(instance, MAKEINTRESOURCEW(IDI_YOMORINA))};
    if (!CreateDialogWindow(frame)) return;
    // The preview is a window of our own; the layout only places it.
    preview_.emplace(instance, Handle(), IconPreview, services_.lookup);
    services_.lookup.PostAnswersTo(Handle(), EntryAnsweredMessage);
    CreateControls(OptionsDialogLayout());
    const UINT dpi = WindowDpi(Handle());

    grid_.Attach(Control(ListGrid), dpi);
    std::array<SettingControls, SettingCount> settingControls{};
    for (int setting = 0; setting < SettingCount; ++setting) {
        const SettingPlacement& at = SettingPlacements[setting];
        SettingControls& controls = settingControls[setting];
        switch (Settings[setting].Control) {
        case SettingControl::Slider:
            sliders_[setting] = Slider(Control(at.controlId));
            besides_[setting] = Label(Control(at.besideId));
            controls.slider = &sliders_[setting];
            controls.beside = &besides_[setting];
            break;
        case SettingControl::OptionGroup: {
            std::array<HWND, BackgroundPatternCount> buttons{};
            for (int choice = 0; choice < BackgroundPatternCount; ++choice) buttons[choice] = Control(at.controlId + choice);
            patternChoice_ = OptionGroup(buttons);
            controls.choice = &patternChoice_;
            break;
        }
        case SettingControl::KeyBox:
            callKeyBox_ = KeyBox(Control(at.controlId));
            besides_[setting] = Label(Control(at.besideId));
            controls.keyBox = &callKeyBox_;
            controls.beside = &besides_[setting];
            break;
        }
    }
    startAtSignInBox_ = CheckBox(Control(StartAtSignInBox));
    messages_.SetOwner(Handle());

    logic_.emplace(OptionsDialogControls{grid_, *preview_, startAtSignInBox_, settingControls},
                   OptionsDialogServices{services_.model, services_.listFile, services_.startupShortcut, messages_,
                                         services_.lookup, *this, *this, services_.mainWindow, services_.callKey,
                                         services_.layouts, *this});
    logic_->Load();
    drop_ = FileDropRegistration(grid_.Handle(), [this](const DroppedData& data) {
        if (logic_) logic_->OnGridDrop(data);
    });

    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    focus_ = Control(OkButton);
    SetFocus(focus_);
}

OptionsWindow::~OptionsWindow() {
    // Unload while the logic and the controls still exist.
    CloseDialog();
}

bool OptionsWindow::TranslateDialogMessage(MSG& message) {
    if (!Handle()) return false;
    return callKeyBox_.ClearOnEraseKey(message) || IsDialogMessageW(Handle(), &message);
}

void OptionsWindow::Close() { CloseDialog(); }

std::optional<LaunchEntry> OptionsWindow::ShowModal(const EntryEditorPreset& preset) {
    EntryEditorWindow editor(Instance(), Handle(), services_.search);
    editor.Logic().Preset(preset);
    return editor.RunModal();
}

void OptionsWindow::ShowModal() { ShowAboutBox(Instance(), Handle()); }

void OptionsWindow::OnCommand(int id) {
    if (!logic_) return;
    switch (id) {
    case OkButton: logic_->OnOk(); break;
    case CancelButton: logic_->OnCancel(); break;
    case MoveUpButton: logic_->OnMoveUp(); break;
    case MoveDownButton: logic_->OnMoveDown(); break;
    case EditButton: logic_->OnEdit(); break;
    case DeleteButton: logic_->OnDelete(); break;
    case AddButton: logic_->OnAdd(); break;
    case VersionButton: logic_->OnVersion(); break;
    case ExitButton: logic_->OnExit(); break;
    default: break;  // IDOK and IDCANCEL from Enter and Esc among them
    }
}

void OptionsWindow::OnNotify(const NMHDR& header) {
    if (header.idFrom != static_cast<UINT_PTR>(ListGrid) || !logic_) return;
    if (header.code == LVN_ITEMCHANGED) grid_.OnItemChanged(reinterpret_cast<const NMLISTVIEW&>(header));
    if (header.code == NM_CLICK) logic_->OnGridSelect();
}

void OptionsWindow::PaintSeparator() {
    const PaintDc paint(Handle());
    const UINT dpi = WindowDpi(Handle());
    // As wide as the dialog, which longer captions may have widened.
    MoveToEx(paint.get(), TwipsToPixels(60, dpi), TwipsToPixels(3540, dpi), nullptr);
    LineTo(paint.get(), TwipsToPixels(8100, dpi) + Layout().ExtraWidth(), TwipsToPixels(3540, dpi));
}

void OptionsWindow::OnLaidOut(UINT dpi) { grid_.ApplyDpi(dpi); }

LRESULT OptionsWindow::OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    // The controls are destroyed after the dialog and may still report: the logic has unloaded by then.
    if (unloaded_) return DefWindowProcW(Handle(), message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam) OnCommand(LOWORD(wParam));
        if (HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == CallKeyBox) logic_->OnCallKeyTyped();
        return 0;
    case WM_NOTIFY:
        if (!lParam) return 0;
        if (const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            header.idFrom == static_cast<UINT_PTR>(ListGrid) && header.code == NM_CUSTOMDRAW) {
            return grid_.OnCustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(lParam));
        }
        OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        return 0;
    case WM_HSCROLL:
        if (logic_ && lParam) {
            const HWND from = reinterpret_cast<HWND>(lParam);
            for (int setting = 0; setting < SettingCount; ++setting) {
                if (from == sliders_[setting].Handle()) logic_->OnSliderMoved(setting);
            }
        }
        return 0;
    case GridRestoreSelectionMessage:
        grid_.RestoreSelection();
        return 0;
    case EntryAnsweredMessage:
        if (logic_) logic_->OnEntryAnswered();
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
        // The object outlives its window until the next opening: no answer or
        // drop may reach a handle that is gone, or is another window's by then.
        services_.lookup.PostAnswersTo(nullptr, 0);
        drop_ = FileDropRegistration();
        unloaded_ = true;
        if (logic_) logic_->OnClosed();
        return 0;
    default:
        return DefWindowProcW(Handle(), message, wParam, lParam);
    }
}

}  // namespace yomorina::win32
