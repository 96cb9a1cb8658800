#include "platform/win32/dialogs/AboutWindow.h"

#include <algorithm>
#include <string>
#include <vector>

#include "about/AboutBox.h"
#include "about/MakerLinks.h"
#include "core/Texts.h"
#include "platform/win32/base/AppMessages.h"
#include "platform/win32/base/WideText.h"
#include "platform/win32/desktop/ShellBrowser.h"
#include "platform/win32/dialogs/MessageBoxes.h"
#include "platform/win32/files/DirectorySearch.h"
#include "platform/win32/files/ExecutableFolder.h"
#include "resources/resource.h"

namespace yomorina::win32 {
namespace {

using namespace about_ids;

constexpr COLORREF LinkColour = RGB(0, 0, 255);

Dialog::Frame AboutFrame() {
    return {AboutBoxClass, Text(TextId::AboutBoxTitle), WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, 4425,
            3300, Dialog::Placement::CentredOverOwner};
}

// The frame's place, and the labels' places inside it.
constexpr int FrameLeft = 180, FrameTop = 1020, FrameWidth = 4095;
constexpr int InsideLeft = FrameLeft + 180, InsideRight = FrameLeft + 1560;
// What a link may grow to inside the frame, so that a longer address still shows whole.
constexpr int LinkRoom = FrameWidth - 1560 - 60;
constexpr int IconSide = 480;
// Each line inside the frame is as tall as its link, so that a face with longer
// descenders than the Japanese one (the English dialogs' own) shows whole.
constexpr int LineHeight = 225;

constexpr DWORD Plain = SS_NOPREFIX;
constexpr DWORD Link = SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY;

// The version as the title shows it, major.minor, from the one place it is written.
std::string_view ShortVersion() {
    constexpr std::string_view full = YOMORINA_VERSION_TEXT;
    return full.substr(0, full.rfind('.'));
}

// In tab order. The frame lets clicks through to the labels it surrounds.
std::vector<ControlPlacement> AboutLayout(std::string_view title) {
    using enum TextId;
    return {
        {ProgramIcon, L"STATIC", "", SS_ICON, 0, 180, 180, IconSide, IconSide, DialogPoints},
        {TitleLabel, L"STATIC", title, SS_LEFT | Plain, 0, 840, 300, 3285, 225, LabelPoints, FontRole::Bold},
        {MakerFrame, L"STATIC", "", SS_ETCHEDFRAME, 0, FrameLeft, FrameTop, FrameWidth, 1215, DialogPoints},
        {MakerLabel, L"STATIC", Text(MakerCaption), SS_RIGHT | Plain, 0, InsideLeft, FrameTop + 240, 1305,
         LineHeight, DialogPoints},
        {HomePageLabel, L"STATIC", Text(HomePageCaption), SS_RIGHT | Plain, 0, InsideLeft, FrameTop + 540, 1305,
         LineHeight, DialogPoints},
        {MakerNameLabel, L"STATIC", MakerName, SS_LEFT | Plain, 0, InsideRight, FrameTop + 240, 1545, LineHeight,
         DialogPoints},
        {HomePageLink, L"STATIC", MakerHomePage, Link, 0, InsideRight, FrameTop + 540, 1125, LineHeight, DialogPoints,
         FontRole::Underline},
        {MailLabel, L"STATIC", Text(MailCaption), SS_RIGHT | Plain, 0, InsideLeft, FrameTop + 840, 1305, LineHeight,
         DialogPoints},
        {MailLink, L"STATIC", MakerMailAddress, Link, 0, InsideRight, FrameTop + 840, 885, LineHeight, DialogPoints,
         FontRole::Underline},
        {CloseButton, L"BUTTON", Text(CloseCaption), OrangeButtonStyle, 0, 2880, 2820, 1395, 315, DialogPoints},
        {HelpButton, L"BUTTON", Text(HelpCaption), OrangeButtonStyle, 0, 2880, 2400, 1395, 315, DialogPoints},
    };
}

}  // namespace

AboutWindow::AboutWindow(HINSTANCE instance, HWND owner)
    : Dialog(instance, owner), title_(Text(TextId::ProductTitle, ShortVersion())) {
    if (!CreateDialogWindow(AboutFrame())) return;
    CreateControls(AboutLayout(title_));
}

AboutWindow::~AboutWindow() { CloseDialog(); }

void AboutWindow::RunModal() { Dialog::RunModal(nullptr); }

void AboutWindow::Close() { CloseDialog(); }

void AboutWindow::OnLaidOut(UINT dpi) {
    // A link is as wide as its text, within the frame, so that all of it can be clicked and seen.
    for (int link : {HomePageLink, MailLink}) {
        const ControlPlacement* place = Layout().Placement(link);
        const int width = std::clamp(TextWidth(Control(link), Layout().Font(link)), TwipsToPixels(place->width, dpi),
                                     TwipsToPixels(LinkRoom, dpi));
        SetWindowPos(Control(link), nullptr, 0, 0, width, TwipsToPixels(place->height, dpi),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The picture box takes the size of its picture: the program's icon at 32 × 32 pixels of 96 dpi.
    const int iconSize = TwipsToPixels(IconSide, dpi);
    UniqueIcon icon(static_cast<HICON>(
        LoadImageW(Instance(), MAKEINTRESOURCEW(IDI_YOMORINA), IMAGE_ICON, iconSize, iconSize, LR_DEFAULTCOLOR)));
    SendMessageW(Control(ProgramIcon), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    icon_ = std::move(icon);
}

COLORREF AboutWindow::TextColour(HWND control) const { return IsLink(control) ? LinkColour : RGB(0, 0, 0); }

bool AboutWindow::IsLink(HWND control) const {
    return control && (control == Control(HomePageLink) || control == Control(MailLink));
}

LRESULT AboutWindow::OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_SETCURSOR:
        if (IsLink(reinterpret_cast<HWND>(wParam))) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(Handle(), message, wParam, lParam);
}

void AboutWindow::OnCommand(int id, int code) noexcept {
    if (!events_) return;
    switch (id) {
    case CloseButton:
        if (code == BN_CLICKED) events_->OnClose();
        break;
    case HelpButton:
        // A double click is two clicks: two help windows.
        if (code == BN_CLICKED || code == BN_DOUBLECLICKED) events_->OnHelp();
        break;
    case HomePageLink:
        if (code == STN_CLICKED) events_->OnHomePage();
        break;
    case MailLink:
        if (code == STN_CLICKED) events_->OnMailAddress();
        break;
    default:
        break;
    }
}

void ShowAboutBox(HINSTANCE instance, HWND owner) {
    ExecutableFolder executableFolder;
    ShellBrowser browser(instance);
    DirectorySearch search;
    AboutWindow box(instance, owner);
    MessageBoxes messages(box.Handle());
    AboutBox about(box, browser, executableFolder, search, messages);
    box.SetEvents(&about);
    box.RunModal();
}

}  // namespace yomorina::win32
