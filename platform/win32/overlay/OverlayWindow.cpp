#include "platform/win32/overlay/OverlayWindow.h"

#include "core/Texts.h"
#include "platform/win32/base/AppMessages.h"
#include "platform/win32/base/LateBound.h"
#include "platform/win32/base/WideText.h"
#include "platform/win32/overlay/FrozenScreen.h"

namespace yomorina::win32 {

OverlayWindow::OverlayWindow(HINSTANCE instance, HWND owner, HotKeys& hotKeys, ForegroundTaking foreground)
    : instance_(instance), owner_(owner), hotKeys_(hotKeys), foregroundTaking_(foreground) {}

// Made at the first scatter: the notification icon comes up without waiting
// for a window that a resting program does not show.
HWND OverlayWindow::Window() {
    if (Handle()) return Handle();
    Register(instance_, OverlayWindowClass, GetSysColorBrush(COLOR_BTNFACE));
    return Create(instance_, OverlayWindowClass, ToWide(Text(TextId::ProgramName)).c_str(), WS_POPUP | WS_CLIPCHILDREN,
                  WS_EX_TOOLWINDOW, 0, 0, 0, 0, owner_);
}

void OverlayWindow::SetEvents(OverlayEvents* events) {
    events_ = &EventsOrNone(events);
    for (auto& tile : tiles_) {
        if (tile) tile->SetEvents(events);
    }
}

void OverlayWindow::Hide() {
    ShowWindow(Handle(), SW_HIDE);
    for (auto& tile : tiles_) {
        if (tile) tile->Hide();
    }
    // The frozen screen is large (a screenful per monitor) and a copy of what
    // was on screen: kept only while shown, taken afresh for the next scatter.
    picture_.Release();
    hotKeys_.ReleaseOverlayKeys();
    focusedTile_ = -1;
}

Tile& OverlayWindow::TileOf(int slot) {
    auto& tile = tiles_.at(slot);
    if (tile) return *tile;
    // Made at its first showing: an idle program keeps no window or picture for a tile.
    tile = std::make_unique<Tile>(instance_, Window(), slot, captionType_);
    tile->SetEvents(events_);
    return *tile;
}

// Refused under the seam but while a hot key of ours is handled, as Windows
// refuses it; a hidden window may have the foreground, and the keyboard with it.
void OverlayWindow::TakeForeground() {
    if (foregroundTaking_ == ForegroundTaking::RefusedAsWindowsMay && !hotKeys_.InHotKeyMessage()) return;
    SetForegroundWindow(Window());
}

void OverlayWindow::Prepare() {
    // The first scatter's window too, out of the deciding tick.
    Window();
    EnsureOle();
    const ScreenArea area = VirtualScreenArea();
    // Filled now, so that each page of it is in place before the copy: at 4K
    // making and first touching a screenful costs as much as the copy itself.
    picture_.Clear(area.width, area.height, GetSysColor(COLOR_BTNFACE));
}

void OverlayWindow::Show(OverlayBackground background) {
    Window();
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
    hotKeys_.TakeOverlayKeys();
}

void OverlayWindow::ShowTile(const TilePlacement& tile) {
    // Extracted beforehand on a worker: the icon of a slow share is never waited for here.
    const UniqueIcon icon =
        lookup_ && tile.Picture == TilePicture::TargetIcon ? lookup_->IconOf(tile.Path) : UniqueIcon();
    TileOf(tile.Slot).Show(tile, icon.get(), OverlayClientPoint({tile.Left, tile.Top}, overlayArea_),
                           OverlayClientPoint({tile.CaptionLeft, tile.CaptionTop}, overlayArea_));
}

bool OverlayWindow::UserSwitchedAway() const {
    const HWND now = GetForegroundWindow();
    // Null only while the foreground passes from one window to the next. A click
    // on a caption brings the overlay itself to the front, which is no switch;
    // message boxes and the shell's confirmations come after the scatter has ended.
    if (!now || now == foregroundAtShow_) return false;
    return GetAncestor(now, GA_ROOT) != Handle();
}

void OverlayWindow::FocusTile(int slot) {
    const auto& tile = tiles_.at(slot);
    if (!tile) return;
    focusedTile_ = slot;
    // Drawn, and told to screen readers, only where the tiles' keys reach the
    // tiles: all taken as the overlay's, or the keyboard the overlay's own.
    if (!hotKeys_.TileKeysTaken() && GetForegroundWindow() != Handle()) return;
    // A change of focus tells screen readers by itself; a tile that has it already
    // is announced again here, once.
    const bool hadFocus = GetFocus() == tile->Handle();
    SetFocus(tile->Handle());
    if (hadFocus) NotifyWinEvent(EVENT_OBJECT_FOCUS, tile->Handle(), OBJID_CLIENT, CHILDID_SELF);
}

void OverlayWindow::OnHotKey(const HotKeyPress& press) {
    if (press.meaning == HotKeyPress::Meaning::TileKey && focusedTile_ >= 0) events_->OnTileKey(focusedTile_, press.tileKey);
    if (press.meaning == HotKeyPress::Meaning::Dismiss) events_->OnOverlayDismiss();
}

LRESULT OverlayWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        picture_.PaintWindow(Handle(), GetSysColor(COLOR_BTNFACE));
        return 0;
    case WM_CTLCOLORSTATIC:
        return Tile::ColourCaption(reinterpret_cast<HDC>(wParam));
    case WM_LBUTTONUP:
        events_->OnOverlayClick();
        return 0;
    case WM_SYSCOMMAND:
        // Alt+F4 on the overlay would otherwise close it.
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            events_->OnOverlayDismiss();
            return 0;
        }
        return DefWindowProcW(Handle(), message, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) events_->OnOverlayDismiss();
        return 0;
    case WM_CLOSE:
        // Another program's close ends the program, as it would at its main window.
        PostMessageW(owner_, WM_CLOSE, 0, 0);
        return 0;
    default:
        return DefWindowProcW(Handle(), message, wParam, lParam);
    }
}

}  // namespace yomorina::win32
