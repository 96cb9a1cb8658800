#include "platform/win32/overlay/TileWindow.h"

#include <windowsx.h>

#include "platform/win32/base/AppMessages.h"
#include "platform/win32/base/WideText.h"

namespace yomorina::win32 {

TileWindow::TileWindow(HINSTANCE instance, HWND parent, int index, int backgroundColourIndex)
    : index_(index), backgroundColourIndex_(backgroundColourIndex) {
    Register(instance, TileWindowClass, nullptr);
    // Clipping siblings keeps an overlapped caption from painting over the tile.
    Create(instance, TileWindowClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, TileSide, TileSide, parent,
           reinterpret_cast<HMENU>(static_cast<INT_PTR>(TileControlId(index))));
    ClearPicture();
}

void TileWindow::ClearPicture() { picture_.Clear(side_, side_, GetSysColor(backgroundColourIndex_)); }

void TileWindow::DrawIconPicture(HICON icon, int side) {
    side_ = side;
    ClearPicture();
    if (icon) picture_.Draw([&](HDC dc) { DrawIconEx(dc, 0, 0, icon, side_, side_, 0, nullptr, DI_NORMAL); });
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TileWindow::CopyPictureFrom(const TileWindow& other) {
    side_ = other.side_;
    picture_.CopyFrom(other.picture_);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TileWindow::SetAccessibleName(std::string_view name) { SetWindowTextW(Handle(), ToWide(name).c_str()); }

void TileWindow::MoveAndShow(int left, int top) {
    // Only a shown tile can take a drop: registering at the first showing keeps OLE out of an idle start.
    if (Handle() && !drop_.IsRegistered()) {
        drop_ = FileDropRegistration(Handle(), [this](const DroppedData& data) {
            events_->OnTileDrop(index_, data);
        });
    }
    SetWindowPos(Handle(), HWND_TOP, left, top, side_, side_, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TileWindow::Hide() { ShowWindow(Handle(), SW_HIDE); }

void TileWindow::OnKeyDown(WPARAM key, LPARAM flags) {
    // A held-down Enter opens once; the tiles are gone after it.
    constexpr LPARAM WasDown = LPARAM{1} << 30;
    switch (key) {
    case VK_TAB: events_->OnTileKey(index_, GetKeyState(VK_SHIFT) < 0 ? TileKey::Previous : TileKey::Next); break;
    case VK_LEFT: events_->OnTileKey(index_, TileKey::Left); break;
    case VK_RIGHT: events_->OnTileKey(index_, TileKey::Right); break;
    case VK_UP: events_->OnTileKey(index_, TileKey::Up); break;
    case VK_DOWN: events_->OnTileKey(index_, TileKey::Down); break;
    case VK_RETURN:
    case VK_SPACE:
        if (!(flags & WasDown)) events_->OnTileKey(index_, TileKey::Open);
        break;
    // Where another program holds Esc as its hot key, the focused tile still hears it.
    case VK_ESCAPE: events_->OnOverlayDismiss(); break;
    default: break;
    }
}

LRESULT TileWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        picture_.PaintWindow(Handle(), GetSysColor(backgroundColourIndex_), [this](HDC dc) {
            if (GetFocus() != Handle()) return;
            RECT client;
            GetClientRect(Handle(), &client);
            DrawFocusRect(dc, &client);
        });
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
        pressed_ = true;
        SetCapture(Handle());
        return 0;
    case WM_LBUTTONUP: {
        // A click is a press and a release on the same tile.
        const bool clicked = pressed_;
        pressed_ = false;
        if (GetCapture() == Handle()) ReleaseCapture();
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT client;
        GetClientRect(Handle(), &client);
        if (clicked && PtInRect(&client, at)) events_->OnTileClick(index_);
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
    case WM_DESTROY:
        // OLE must let go of the window while it still exists.
        drop_ = FileDropRegistration();
        return 0;
    default:
        return DefWindowProcW(Handle(), message, wParam, lParam);
    }
}

}  // namespace yomorina::win32
