#include "platform/win32/dialogs/PreviewBox.h"

#include <algorithm>

#include "platform/win32/base/AppMessages.h"
#include "platform/win32/desktop/TileArt.h"

namespace yomorina::win32 {

PreviewBox::PreviewBox(HINSTANCE instance, HWND parent, int id, const EntryLookup& lookup)
    : instance_(instance), lookup_(lookup) {
    Register(instance, PreviewBoxClass, nullptr);
    Create(instance, PreviewBoxClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, TileSide, TileSide, parent,
           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    Resize();
    Fill(RGB(255, 255, 255));
}

PreviewBox::~PreviewBox() {
    if (picture_ && originalBitmap_) SelectObject(picture_.get(), originalBitmap_);
}

void PreviewBox::Resize() {
    RECT client{};
    GetClientRect(Handle(), &client);
    const SIZE size{std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)};
    if (picture_ && size.cx == size_.cx && size.cy == size_.cy) return;
    WindowDc screen(Handle());
    UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
    HGDIOBJ original = SelectObject(dc.get(), bitmap.get());
    RECT all{0, 0, size.cx, size.cy};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (picture_) {
        // The picture survives a change of size (a new DPI).
        BitBlt(dc.get(), 0, 0, size_.cx, size_.cy, picture_.get(), 0, 0, SRCCOPY);
        SelectObject(picture_.get(), originalBitmap_);
    }
    picture_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    originalBitmap_ = original;
    size_ = size;
}

void PreviewBox::Fill(COLORREF colour) {
    RECT all{0, 0, size_.cx, size_.cy};
    UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(picture_.get(), &all, brush.get());
    InvalidateRect(Handle(), nullptr, FALSE);
}

void PreviewBox::Clear() { Fill(RGB(255, 255, 255)); }

// The picture a tile shows, at a tile's size.
void PreviewBox::ShowRecycleBin() {
    Fill(RecycleBinGround());
    DrawRecycleBin(picture_.get(), instance_, TileSide);
}

void PreviewBox::DrawTargetIcon(std::string_view path) {
    // In the icon's own size, the system's.
    if (const UniqueIcon icon = lookup_.IconOf(path)) DrawIconEx(picture_.get(), 0, 0, icon.get(), 0, 0, 0, nullptr, DI_NORMAL);
    InvalidateRect(Handle(), nullptr, FALSE);
}

COLORREF PreviewBox::PixelAt(int x, int y) const { return GetPixel(picture_.get(), x, y); }

LRESULT PreviewBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_SIZE:
        if (picture_) Resize();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        const PaintDc paint(Handle());
        BitBlt(paint.get(), 0, 0, size_.cx, size_.cy, picture_.get(), 0, 0, SRCCOPY);
        return 0;
    }
    default:
        return DefWindowProcW(Handle(), message, wParam, lParam);
    }
}

}  // namespace yomorina::win32
