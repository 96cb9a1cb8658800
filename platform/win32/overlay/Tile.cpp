#include "platform/win32/overlay/Tile.h"

#include <windowsx.h>

#include "platform/win32/base/AppMessages.h"
#include "platform/win32/base/WideText.h"
#include "platform/win32/desktop/TileArt.h"

namespace yomorina::win32 {
namespace {

constexpr COLORREF CaptionBackground = RGB(255, 255, 255);

COLORREF TargetGround() { return GetSysColor(COLOR_WINDOW); }

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

CaptionType::CaptionType() : system_(DefaultUserInterfaceFont()) {}

HFONT CaptionType::At(int dotsPerInch) {
    const int systemDpi = static_cast<int>(GetDpiForSystem());
    if (dotsPerInch == systemDpi || dotsPerInch <= 0 || !system_) return system_.get();
    UniqueFont& scaled = scaled_[dotsPerInch];
    if (!scaled) {
        LOGFONTW font{};
        GetObjectW(system_.get(), sizeof(font), &font);
        font.lfHeight = MulDiv(font.lfHeight, dotsPerInch, systemDpi);
        font.lfWidth = MulDiv(font.lfWidth, dotsPerInch, systemDpi);
        scaled.reset(CreateFontIndirectW(&font));
    }
    return scaled ? scaled.get() : system_.get();
}

Tile::Tile(HINSTANCE instance, HWND overlay, int slot, CaptionType& type)
    : instance_(instance), overlay_(overlay), slot_(slot), type_(type), ground_(TargetGround()) {
    Register(instance, TileWindowClass, nullptr);
    // Clipping siblings keeps an overlapped caption from painting over the tile.
    Create(instance, TileWindowClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, TileSide, TileSide, overlay,
           reinterpret_cast<HMENU>(static_cast<INT_PTR>(TileControlId(slot))));
    picture_.Clear(side_, side_, ground_);
}

void Tile::DrawPicture(TilePicture picture, HICON icon, int side) {
    side_ = side;
    ground_ = picture == TilePicture::RecycleBin ? RecycleBinGround() : TargetGround();
    picture_.Clear(side_, side_, ground_);
    picture_.Draw([&](HDC dc) {
        if (picture == TilePicture::RecycleBin) {
            DrawRecycleBin(dc, instance_, side_);
        } else if (icon) {
            DrawIconEx(dc, 0, 0, icon, side_, side_, 0, nullptr, DI_NORMAL);
        }
    });
    InvalidateRect(Handle(), nullptr, FALSE);
}

void Tile::Show(const TilePlacement& tile, HICON icon, POINT at, POINT captionAt) {
    DrawPicture(tile.Picture, icon, tile.Side);
    // The name screen readers announce; nothing shows it.
    SetWindowTextW(Handle(), ToWide(tile.AccessibleName).c_str());
    // Only a shown tile can take a drop: registering at the first showing keeps OLE out of an idle start.
    if (Handle() && !drop_.IsRegistered()) {
        drop_ = FileDropRegistration(Handle(), [this](const DroppedData& data) { events_->OnTileDrop(slot_, data); });
    }
    SetWindowPos(Handle(), HWND_TOP, at.x, at.y, side_, side_, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ShowCaption(tile.Name, tile.DotsPerInch, captionAt);
}

void Tile::ShowCaption(std::string_view text, int dotsPerInch, POINT at) {
    if (!caption_) {
        // Made at its first showing: a static control loads the common controls (the manifest's
        // version 6), which an idle program has no use for.
        // SS_NOTIFY makes a caption take its own clicks, so a click on it does not reach the overlay.
        caption_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_CLIPSIBLINGS | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY,
                                   0, 0, 0, 0, overlay_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(CaptionControlId(slot_))), instance_,
                                   nullptr);
        if (!caption_) return;
        if (const HFONT font = type_.At(0)) SendMessageW(caption_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    const std::wstring wide = ToWide(text);
    SetWindowTextW(caption_, wide.c_str());
    const HFONT font = type_.At(dotsPerInch);
    if (font) SendMessageW(caption_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SIZE size{};
    {
        WindowDc dc(caption_);
        SelectedObject selected(dc.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.get(), &metrics);
        GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
        size.cy = metrics.tmHeight;
    }
    // Below every tile: a tile covers a caption it overlaps.
    SetWindowPos(caption_, HWND_BOTTOM, at.x, at.y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(caption_, nullptr, TRUE);
}

void Tile::Hide() {
    ShowWindow(Handle(), SW_HIDE);
    if (caption_) ShowWindow(caption_, SW_HIDE);
}

LRESULT Tile::ColourCaption(HDC dc) {
    SetBkColor(dc, CaptionBackground);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

void Tile::OnKeyDown(WPARAM key, LPARAM flags) {
    // A held-down Enter opens once; the tiles are gone after it.
    constexpr LPARAM WasDown = LPARAM{1} << 30;
    switch (key) {
    case VK_TAB: events_->OnTileKey(slot_, GetKeyState(VK_SHIFT) < 0 ? TileKey::Previous : TileKey::Next); break;
    case VK_LEFT: events_->OnTileKey(slot_, TileKey::Left); break;
    case VK_RIGHT: events_->OnTileKey(slot_, TileKey::Right); break;
    case VK_UP: events_->OnTileKey(slot_, TileKey::Up); break;
    case VK_DOWN: events_->OnTileKey(slot_, TileKey::Down); break;
    case VK_RETURN:
    case VK_SPACE:
        if (!(flags & WasDown)) events_->OnTileKey(slot_, TileKey::Open);
        break;
    // Where another program holds Esc as its hot key, the focused tile still hears it.
    case VK_ESCAPE: events_->OnOverlayDismiss(); break;
    default: break;
    }
}

LRESULT Tile::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        picture_.PaintWindow(Handle(), ground_, [this](HDC dc) {
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
        if (clicked && PtInRect(&client, at)) events_->OnTileClick(slot_);
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
