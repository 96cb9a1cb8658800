#include "platform/win32/overlay/MainWindow.h"

#include <wtsapi32.h>

#include <utility>

#include "core/Model.h"
#include "core/Texts.h"
#include "platform/win32/base/AppMessages.h"
#include "platform/win32/base/LateBound.h"
#include "platform/win32/base/WideText.h"
#include "platform/win32/overlay/FrozenScreen.h"
#include "resources/resource.h"

namespace yomorina::win32 {
namespace {

constexpr COLORREF CaptionBackground = RGB(255, 255, 255);

// The font the system uses for its own message texts.
UniqueFont DefaultUserInterfaceFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
    }
    return UniqueFont();
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, ForegroundTaking foreground, AltReading altReading)
    : instance_(instance),
      foregroundTaking_(foreground),
      taskbarCreatedMessage_(RegisteredMessage(TaskbarCreatedName)),
      optionsAsked_(RegisteredMessage(OptionsAskedName)) {
    Register(instance, MainWindowClass, GetSysColorBrush(COLOR_BTNFACE),
             LoadIconW(instance, MAKEINTRESOURCEW(IDI_YOMORINA)));
    Create(instance, MainWindowClass, ToWide(Text(TextId::ProgramName)).c_str(), WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, 0, 0, 0, 0, nullptr);
    trayWindow_.emplace(instance, Handle());
    wakeups_.emplace(Handle());
    hotKeys_.emplace(Handle(), altReading);
    captionFont_ = DefaultUserInterfaceFont();
}

void MainWindow::SetEvents(MainWindowEvents* events) {
    events_ = &EventsOrNone(events);
    trayWindow_->SetEvents(events);
    for (auto& tile : tiles_) {
        if (tile) tile->SetEvents(events);
    }
}

void MainWindow::Hide() {
    ShowWindow(Handle(), SW_HIDE);
    // The frozen screen is large (a screenful per monitor) and a copy of what
    // was on screen: kept only while shown, taken afresh for the next scatter.
    picture_.Release();
    hotKeys_->ReleaseOverlayKeys();
    focusedTile_ = -1;
}

void MainWindow::HideTile(int index) {
    if (const auto& tile = tiles_.at(index)) tile->Hide();
}

TileWindow& MainWindow::Tile(int index) {
    auto& tile = tiles_.at(index);
    if (tile) return *tile;
    // Made at its first showing: an idle program keeps no window or picture for a tile.
    // The template holds the recycle-bin picture on the button face; the others clear to the window colour.
    tile = std::make_unique<TileWindow>(instance_, Handle(), index,
                                             index == RecycleBinTemplateTile ? COLOR_BTNFACE : COLOR_WINDOW);
    tile->SetEvents(events_);
    return *tile;
}

const TileWindow& MainWindow::RecycleBinTemplate(int side) {
    TileWindow& bin = Tile(RecycleBinTemplateTile);
    if (!drawnRecycleBin_ || bin.Side() != side) {
        // The art has images of the tile's larger sizes: drawn from its own, not stretched.
        const UniqueIcon recycleBin(static_cast<HICON>(
            LoadImageW(instance_, MAKEINTRESOURCEW(IDI_RECYCLE_BIN), IMAGE_ICON, side, side, LR_DEFAULTCOLOR)));
        if (recycleBin) bin.DrawIconPicture(recycleBin.get(), side);
        drawnRecycleBin_ = true;
    }
    return bin;
}

HFONT MainWindow::CaptionFont(int dotsPerInch) {
    const int systemDpi = static_cast<int>(GetDpiForSystem());
    if (dotsPerInch == systemDpi || dotsPerInch <= 0 || !captionFont_) return captionFont_.get();
    UniqueFont& scaled = scaledCaptionFonts_[dotsPerInch];
    if (!scaled) {
        LOGFONTW font{};
        GetObjectW(captionFont_.get(), sizeof(font), &font);
        font.lfHeight = MulDiv(font.lfHeight, dotsPerInch, systemDpi);
        font.lfWidth = MulDiv(font.lfWidth, dotsPerInch, systemDpi);
        scaled.reset(CreateFontIndirectW(&font));
    }
    return scaled ? scaled.get() : captionFont_.get();
}

void MainWindow::HideCaption(int index) {
    if (HWND caption = captions_.at(index)) ShowWindow(caption, SW_HIDE);
}

HWND MainWindow::Caption(int index) {
    HWND& caption = captions_.at(index);
    if (caption) return caption;
    // Made at its first showing: a static control loads the common controls (the manifest's
    // version 6), which an idle program has no use for.
    // SS_NOTIFY makes a caption take its own clicks, so a click on it does not reach the overlay.
    caption = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_CLIPSIBLINGS | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY,
                              0, 0, 0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(CaptionControlId(index))),
                              instance_, nullptr);
    if (caption && captionFont_) {
        SendMessageW(caption, WM_SETFONT, reinterpret_cast<WPARAM>(captionFont_.get()), FALSE);
    }
    return caption;
}

void MainWindow::Close() { PostMessageW(Handle(), WM_CLOSE, 0, 0); }

// Refused under the seam but while a hot key of ours is handled, as Windows
// refuses it; a hidden window may have the foreground, and the keyboard with it.
void MainWindow::TakeForeground() {
    if (foregroundTaking_ == ForegroundTaking::RefusedAsWindowsMay && !inHotKey_) return;
    SetForegroundWindow(Handle());
}

void MainWindow::ShowOverlay(OverlayBackground background) {
    // The tiles' icons, drops and launches go through the shell, which wants OLE.
    EnsureOle();
    // Every monitor, not just the primary one: tiles land next to the pointer wherever it is.
    overlayArea_ = VirtualScreenArea();
    {
        // Still hidden: the snapshot shows the desktop and the other programs, never our tiles.
        WindowDc screen(GetDesktopWindow());
        FreezeScreen(picture_, overlayArea_.width, overlayArea_.height, GetSysColor(COLOR_BTNFACE), screen.get(),
                     background, overlayArea_.left, overlayArea_.top);
    }
    // Topmost, placed and shown in one SetWindowPos, so that Windows never shows it at its
    // old place or size and moves and repaints it once (each separate move also costs Wine
    // a pass over the window); without a frame the client area is the virtual screen.
    InvalidateRect(Handle(), nullptr, FALSE);
    // Refused but to a program already in front: a hot key's leave has ended by
    // now, at the user's next input, as the freeze outlasts it.
    const bool refused =
        foregroundTaking_ == ForegroundTaking::RefusedAsWindowsMay && GetForegroundWindow() != Handle();
    SetWindowPos(Handle(), HWND_TOPMOST, overlayArea_.left, overlayArea_.top, overlayArea_.width, overlayArea_.height,
                 SWP_SHOWWINDOW | (refused ? SWP_NOACTIVATE : 0));
    if (!refused) SetForegroundWindow(Handle());
    // Granted or not: only a change from here is the user's doing.
    foregroundAtShow_ = GetForegroundWindow();
    hotKeys_->TakeOverlayKeys();
}

void MainWindow::ShowTile(int index, int left, int top, int side, TilePicture picture, std::string_view path,
                               std::string_view accessibleName) {
    TileWindow& tile = Tile(index);
    if (picture == TilePicture::RecycleBin) {
        tile.CopyPictureFrom(RecycleBinTemplate(side));
    } else {
        // Extracted beforehand on a worker: the icon of a slow share is never waited for here.
        const UniqueIcon icon = lookup_ ? lookup_->IconOf(path) : UniqueIcon();
        tile.DrawIconPicture(icon.get(), side);
    }
    tile.SetAccessibleName(accessibleName);
    const POINT at = OverlayClientPoint({left, top}, overlayArea_);
    tile.MoveAndShow(at.x, at.y);
}

void MainWindow::ShowCaption(int index, int left, int top, std::string_view text, int dotsPerInch) {
    HWND caption = Caption(index);
    if (!caption) return;
    const std::wstring wide = ToWide(text);
    SetWindowTextW(caption, wide.c_str());
    const HFONT font = CaptionFont(dotsPerInch);
    if (font) SendMessageW(caption, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SIZE size{};
    {
        WindowDc dc(caption);
        const HGDIOBJ captionFont = font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT);
        SelectedObject selected(dc.get(), captionFont);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.get(), &metrics);
        GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
        size.cy = metrics.tmHeight;
    }
    // Below every tile: a tile covers a caption it overlaps.
    const POINT at = OverlayClientPoint({left, top}, overlayArea_);
    SetWindowPos(caption, HWND_BOTTOM, at.x, at.y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(caption, nullptr, TRUE);
}

// Unlocks and reconnections: the pointer may have gone anywhere meanwhile.
// Early in a sign-in the service is not there yet (RPC_S_INVALID_BINDING).
bool MainWindow::HearSessionChanges() {
    hearingSessionChanges_ =
        hearingSessionChanges_ || late::WTSRegisterSessionNotification(Handle(), NOTIFY_FOR_THIS_SESSION) != FALSE;
    return hearingSessionChanges_;
}

bool MainWindow::UserSwitchedAway() const {
    const HWND now = GetForegroundWindow();
    // Null only while the foreground passes from one window to the next. A click
    // on a caption brings the overlay itself to the front, which is no switch;
    // message boxes and the shell's confirmations come after the scatter has ended.
    if (!now || now == foregroundAtShow_) return false;
    return GetAncestor(now, GA_ROOT) != Handle();
}

void MainWindow::FocusTile(int index) {
    const auto& tile = tiles_.at(index);
    if (!tile) return;
    focusedTile_ = index;
    // Drawn, and told to screen readers, only where the tiles' keys reach the
    // tiles: all taken as the overlay's, or the keyboard the overlay's own.
    if (!hotKeys_->TileKeysTaken() && GetForegroundWindow() != Handle()) return;
    // A change of focus tells screen readers by itself; a tile that has it already
    // is announced again here, once.
    const bool hadFocus = GetFocus() == tile->Handle();
    SetFocus(tile->Handle());
    if (hadFocus) NotifyWinEvent(EVENT_OBJECT_FOCUS, tile->Handle(), OBJID_CLIENT, CHILDID_SELF);
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == taskbarCreatedMessage_ && taskbarCreatedMessage_ != 0) {
        events_->OnTaskbarCreated();
        return 0;
    }
    if (message == optionsAsked_ && optionsAsked_ != 0) {
        events_->OnOptionsAsked();
        return 0;
    }
    if (const auto answer = testQueries_.Answer(Handle(), message, wParam, wakeups_->Ticks())) return *answer;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        picture_.PaintWindow(Handle(), GetSysColor(COLOR_BTNFACE));
        return 0;
    case WM_CTLCOLORSTATIC: {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, CaptionBackground);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    case WM_TIMER:
        wakeups_->OnTimer(wParam, *events_);
        return 0;
    case MouseMovedMessage:
        events_->OnPointerMoved();
        return 0;
    case WM_INPUT:
        wakeups_->Hear(reinterpret_cast<HRAWINPUT>(lParam));
        return DefWindowProcW(Handle(), message, wParam, lParam);
    case WM_WTSSESSION_CHANGE:
        if (wParam == WTS_SESSION_UNLOCK || wParam == WTS_CONSOLE_CONNECT || wParam == WTS_REMOTE_CONNECT) {
            events_->OnPointerMayHaveJumped();
        }
        return 0;
    case WM_DESTROY:
        hotKeys_->ReleaseAll();
        if (hearingSessionChanges_) late::WTSUnRegisterSessionNotification(Handle());
        return 0;
    case WM_DISPLAYCHANGE:
        events_->OnPointerMayHaveJumped();
        return DefWindowProcW(Handle(), message, wParam, lParam);
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC) events_->OnPointerMayHaveJumped();
        return DefWindowProcW(Handle(), message, wParam, lParam);
    case WM_LBUTTONUP:
        events_->OnOverlayClick();
        return 0;
    case WM_SYSCOMMAND:
        // Alt+F4 on the overlay would otherwise close the main window and end the program.
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            events_->OnOverlayDismiss();
            return 0;
        }
        return DefWindowProcW(Handle(), message, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) events_->OnOverlayDismiss();
        return 0;
    case WM_HOTKEY: {
        // The leave to take the foreground that a hot key gives lasts while its
        // message is handled (the user's next input ends it), as the seam imitates.
        const bool outer = std::exchange(inHotKey_, true);
        hotKeys_->OnHotKey(wParam, focusedTile_, *events_);
        inHotKey_ = outer;
        return 0;
    }
    case WM_ENDSESSION:
        // Logging off ends us without WM_CLOSE; the icon must still go.
        if (wParam && !unloaded_) {
            unloaded_ = true;
            events_->OnClosing();
        }
        return 0;
    case WM_CLOSE:
        if (!unloaded_) {
            unloaded_ = true;
            events_->OnClosing();
        }
        DestroyWindow(Handle());
        return 0;
    default:
        return DefWindowProcW(Handle(), message, wParam, lParam);
    }
}

void MainWindow::OnDestroyed() noexcept {
    // A hook outlives its window otherwise.
    wakeups_->StopWatching();
    PostQuitMessage(0);
}

}  // namespace yomorina::win32
