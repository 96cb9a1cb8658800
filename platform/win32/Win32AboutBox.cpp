#include "platform/win32/Win32AboutBox.h"

#include <algorithm>
#include <array>
#include <string>

#include "about/MakerLinks.h"
#include "about/frmAbout.h"
#include "platform/AboutWindow.h"
#include "platform/win32/BaseWindow.h"
#include "platform/win32/DialogLook.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32DirectorySearch.h"
#include "platform/win32/Win32MessageBoxes.h"
#include "platform/win32/Win32ProcessInfo.h"
#include "platform/win32/Win32ShellBrowser.h"
#include "resources/resource.h"

namespace yomorina::win32 {
namespace {

constexpr COLORREF LinkColour = RGB(0, 0, 255);

// Positions in twips: x, y, width, height. The labels are placed relative to Frame1.
struct Twips {
    int x, y, width, height;
};
constexpr int ClientWidth = 4425;
constexpr int ClientHeight = 3300;
constexpr Twips picIconPlace{180, 180, 480, 480};
constexpr Twips lblTitlePlace{840, 300, 3285, 225};
constexpr Twips Frame1Place{180, 1020, 4095, 1215};
constexpr Twips Label1Place{180, 240, 1305, 165};
constexpr Twips lblDescriptionPlace{180, 540, 1305, 165};
constexpr Twips Label2Place{1560, 240, 1545, 165};
constexpr Twips Label3Place{1560, 540, 1125, 225};
constexpr Twips Label4Place{180, 840, 1305, 165};
constexpr Twips Label5Place{1560, 840, 885, 225};
constexpr Twips Command1Place{2880, 2820, 1395, 315};
constexpr Twips Command2Place{2880, 2400, 1395, 315};
// What a link may grow to inside the frame, so that a longer address still shows whole.
constexpr int FrameInnerMargin = 60;

// Kept clear of IDOK and IDCANCEL: Enter and Esc are no button's.
enum ControlId : int {
    picIconId = 100,
    lblTitleId,
    Frame1Id,
    Label1Id,
    lblDescriptionId,
    Label2Id,
    Label3Id,
    Label4Id,
    Label5Id,
    Command1Id,
    Command2Id,
};

class Win32AboutBox final : public AboutWindow, public BaseWindow<Win32AboutBox> {
public:
    Win32AboutBox(HINSTANCE instance, HWND owner) : instance_(instance), owner_(owner) {
        Register(instance, AboutBoxClass, nullptr);
        Create(instance, AboutBoxClass, ToWide(AboutBoxTitle).c_str(), Style, ExStyle, CW_USEDEFAULT, CW_USEDEFAULT,
               0, 0, owner);
        if (!Handle()) return;
        CreateControls();
        LayOut(owner ? WindowDpi(owner) : GetDpiForSystem());
        CentreOverOwner();
    }

    void SetEvents(AboutWindowEvents* events) { events_ = events; }

    // The box's own message loop; the owner takes no input meanwhile.
    void RunModal() {
        if (!Handle()) return;
        if (owner_) EnableWindow(owner_, FALSE);
        ShowWindow(Handle(), SW_SHOW);
        SetFocus(Handle());
        MSG message;
        while (Handle()) {
            const BOOL got = GetMessageW(&message, nullptr, 0, 0);
            if (got == 0) {
                // The program is ending: leave the quit for the outer loop.
                PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            if (got == -1) break;
            if (!IsDialogMessageW(Handle(), &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        ReleaseOwner();
    }

    void Close() override {
        // The owner is enabled first, so that it, not some other program, becomes active.
        ReleaseOwner();
        if (Handle()) DestroyWindow(Handle());
    }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        switch (message) {
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(Handle(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, DialogBackgroundBrush());
            return 1;
        }
        case WM_CTLCOLORSTATIC: {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            const HWND control = reinterpret_cast<HWND>(lParam);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, IsLink(control) ? LinkColour : RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(DialogBackgroundBrush());
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlType != ODT_BUTTON) break;
            DrawOrangeButton(*item);
            return TRUE;
        }
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
        case WM_DPICHANGED: {
            LayOut(HIWORD(wParam));
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        default:
            break;
        }
        return DefWindowProcW(Handle(), message, wParam, lParam);
    }

private:
    static constexpr DWORD Style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    static constexpr DWORD ExStyle = WS_EX_DLGMODALFRAME;

    struct Control {
        HWND window;
        Twips place;
        bool insideFrame;
    };

    HWND AddControl(const wchar_t* className, std::string_view text, DWORD style, ControlId id) {
        return CreateWindowExW(0, className, ToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                               Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    }

    // In the tab order picIcon, lblTitle, Frame1, Label1, lblDescription, Label2, Label3, Label4, Label5,
    // Command1, Command2. Frame1 lets clicks through to the labels it surrounds.
    void CreateControls() {
        picIcon_ = AddControl(L"STATIC", "", SS_ICON, picIconId);
        lblTitle_ = AddControl(L"STATIC", ProductTitle, SS_LEFT | SS_NOPREFIX, lblTitleId);
        Frame1_ = AddControl(L"STATIC", "", SS_ETCHEDFRAME, Frame1Id);
        const HWND Label1 = AddControl(L"STATIC", "作者　：", SS_RIGHT | SS_NOPREFIX, Label1Id);
        const HWND lblDescription = AddControl(L"STATIC", "ホームページ　：", SS_RIGHT | SS_NOPREFIX, lblDescriptionId);
        const HWND Label2 = AddControl(L"STATIC", MakerName, SS_LEFT | SS_NOPREFIX, Label2Id);
        Label3_ = AddControl(L"STATIC", MakerHomePage, SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY, Label3Id);
        const HWND Label4 = AddControl(L"STATIC", "メール　：", SS_RIGHT | SS_NOPREFIX, Label4Id);
        Label5_ = AddControl(L"STATIC", MakerMailAddress, SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY, Label5Id);
        Command1_ = AddControl(L"BUTTON", "閉じる", OrangeButtonStyle, Command1Id);
        Command2_ = AddControl(L"BUTTON", "ヘルプ", OrangeButtonStyle, Command2Id);

        controls_ = {{{picIcon_, picIconPlace, false},
                      {lblTitle_, lblTitlePlace, false},
                      {Frame1_, Frame1Place, false},
                      {Label1, Label1Place, true},
                      {lblDescription, lblDescriptionPlace, true},
                      {Label2, Label2Place, true},
                      {Label3_, Label3Place, true},
                      {Label4, Label4Place, true},
                      {Label5_, Label5Place, true},
                      {Command1_, Command1Place, false},
                      {Command2_, Command2Place, false}}};
    }

    void LayOut(UINT dpi) {
        dialogFont_ = CreateDialogFont(DialogPoints, dpi);
        titleFont_ = CreateDialogFont(LabelPoints, dpi, FontEmphasis::Bold);
        linkFont_ = CreateDialogFont(DialogPoints, dpi, FontEmphasis::Underline);

        for (const Control& control : controls_) {
            const HFONT font = control.window == lblTitle_                                ? titleFont_.get()
                               : (control.window == Label3_ || control.window == Label5_) ? linkFont_.get()
                                                                                          : dialogFont_.get();
            SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            const int originX = control.insideFrame ? Frame1Place.x : 0;
            const int originY = control.insideFrame ? Frame1Place.y : 0;
            int width = TwipsToPixels(control.place.width, dpi);
            if (IsLink(control.window)) {
                const int room = TwipsToPixels(Frame1Place.width - control.place.x - FrameInnerMargin, dpi);
                width = std::clamp(TextWidth(control.window, linkFont_.get()), width, room);
            }
            SetWindowPos(control.window, nullptr, TwipsToPixels(originX + control.place.x, dpi),
                         TwipsToPixels(originY + control.place.y, dpi), width, TwipsToPixels(control.place.height, dpi),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }

        // The picture box takes the size of its picture: the program's icon at 32 × 32 pixels of 96 dpi.
        const int iconSize = TwipsToPixels(picIconPlace.width, dpi);
        UniqueIcon icon(static_cast<HICON>(
            LoadImageW(instance_, MAKEINTRESOURCEW(IDI_YOMORINA), IMAGE_ICON, iconSize, iconSize, LR_DEFAULTCOLOR)));
        SendMessageW(picIcon_, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
        icon_ = std::move(icon);

        RECT frame{0, 0, TwipsToPixels(ClientWidth, dpi), TwipsToPixels(ClientHeight, dpi)};
        AdjustWindowRectExForDpi(&frame, Style, FALSE, ExStyle, dpi);
        SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(Handle(), nullptr, TRUE);
    }

    int TextWidth(HWND control, HFONT font) const {
        const int length = GetWindowTextLengthW(control);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        GetWindowTextW(control, text.data(), length + 1);
        const WindowDc dc(control);
        const SelectedObject selected(dc.get(), font);
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), text.c_str(), length, &size);
        return size.cx + 1;
    }

    void CentreOverOwner() {
        RECT box;
        GetWindowRect(Handle(), &box);
        const int width = box.right - box.left;
        const int height = box.bottom - box.top;
        RECT around{};
        if (!owner_ || !IsWindowVisible(owner_) || !GetWindowRect(owner_, &around)) {
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
        }
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromRect(&around, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT& work = monitor.rcWork;
        const int left = work.left, top = work.top, right = work.right, bottom = work.bottom;
        const int centreX = (around.left + around.right - width) / 2;
        const int centreY = (around.top + around.bottom - height) / 2;
        const int x = std::clamp(centreX, left, std::max(left, right - width));
        const int y = std::clamp(centreY, top, std::max(top, bottom - height));
        SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void OnCommand(int id, int code) noexcept {
        if (!events_) return;
        switch (id) {
        case Command1Id:
            if (code == BN_CLICKED) events_->Command1_Click();
            break;
        case Command2Id:
            // A double click is two clicks: two help windows.
            if (code == BN_CLICKED || code == BN_DOUBLECLICKED) events_->Command2_Click();
            break;
        case Label3Id:
            if (code == STN_CLICKED) events_->Label3_Click();
            break;
        case Label5Id:
            if (code == STN_CLICKED) events_->Label5_Click();
            break;
        default:
            break;
        }
    }

    bool IsLink(HWND control) const { return control && (control == Label3_ || control == Label5_); }

    void ReleaseOwner() {
        if (owner_ && !IsWindowEnabled(owner_)) EnableWindow(owner_, TRUE);
    }

    HINSTANCE instance_;
    HWND owner_;
    AboutWindowEvents* events_ = nullptr;
    UniqueFont dialogFont_, titleFont_, linkFont_;
    UniqueIcon icon_;
    HWND picIcon_ = nullptr, lblTitle_ = nullptr, Frame1_ = nullptr, Label3_ = nullptr, Label5_ = nullptr;
    HWND Command1_ = nullptr, Command2_ = nullptr;
    std::array<Control, 11> controls_{};
};

}  // namespace

void ShowAboutBox(HINSTANCE instance, HWND owner) {
    Win32ProcessInfo process;
    Win32ShellBrowser browser(instance);
    Win32DirectorySearch search;
    Win32AboutBox box(instance, owner);
    Win32MessageBoxes messages(box.Handle());
    frmAbout about(box, browser, process, search, messages);
    box.SetEvents(&about);
    box.RunModal();
}

}  // namespace yomorina::win32
