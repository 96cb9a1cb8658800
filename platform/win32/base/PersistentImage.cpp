#include "platform/win32/base/PersistentImage.h"

namespace yomorina::win32 {

UniqueBitmap MakeSection(int width, int height, void** pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* memory = nullptr;
    UniqueBitmap section(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    if (pixels) *pixels = memory;
    return section;
}

void PersistentImage::Resize(int width, int height) {
    if (bitmap_ && width == width_ && height == height_) return;
    // A DIB section: its pixels are the process's own memory, given back at
    // DeleteObject. A compatible bitmap's are the system's, kept for the whole
    // desktop session, where a picture several monitors wide may be refused (and
    // under Wine they can stay in the heap after it).
    bitmap_ = MakeSection(width, height);
    width_ = bitmap_ ? width : 0;
    height_ = bitmap_ ? height : 0;
}

void PersistentImage::Clear(int width, int height, COLORREF colour) {
    Resize(width, height);
    Draw([&](HDC dc) {
        UniqueBrush brush(CreateSolidBrush(colour));
        const RECT all{0, 0, width_, height_};
        FillRect(dc, &all, brush.get());
    });
}

void PersistentImage::Draw(const std::function<void(HDC)>& draw) {
    if (!bitmap_) return;
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return;
    SelectedObject selected(dc.get(), bitmap_.get());
    draw(dc.get());
}

void PersistentImage::CopyFrom(const PersistentImage& other) {
    if (!other.bitmap_) return;
    Clear(other.width_, other.height_, RGB(0, 0, 0));
    UniqueMemoryDc source(CreateCompatibleDC(nullptr));
    if (!source) return;
    SelectedObject selected(source.get(), other.bitmap_.get());
    Draw([&](HDC dc) { BitBlt(dc, 0, 0, width_, height_, source.get(), 0, 0, SRCCOPY); });
}

void PersistentImage::Release() {
    bitmap_.reset();
    width_ = 0;
    height_ = 0;
}

void PersistentImage::PaintWindow(HWND window, COLORREF fallback, const std::function<void(HDC)>& over) const {
    const PaintDc paint(window);
    const HDC target = paint.get();
    if (!target) return;
    const RECT& area = paint.Area();
    if (!bitmap_ || area.right > width_ || area.bottom > height_) {
        UniqueBrush brush(CreateSolidBrush(fallback));
        FillRect(target, &area, brush.get());
    }
    if (bitmap_) {
        UniqueMemoryDc source(CreateCompatibleDC(nullptr));
        if (source) {
            SelectedObject selected(source.get(), bitmap_.get());
            BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, source.get(),
                   area.left, area.top, SRCCOPY);
        }
    }
    if (over) over(target);
}

std::optional<DWORD> RasterOperationFor(OverlayBackground background) {
    switch (background) {
    case OverlayBackground::Screen: return SRCCOPY;
    case OverlayBackground::Negative: return SRCINVERT;
    case OverlayBackground::Light: return SRCPAINT;
    case OverlayBackground::Dark: return SRCERASE;
    case OverlayBackground::Plain: break;
    }
    return std::nullopt;
}

void FreezeScreen(PersistentImage& picture, int width, int height, COLORREF faceColour, HDC screen,
                  OverlayBackground background, int screenLeft, int screenTop) {
    const auto operation = RasterOperationFor(background);
    if (operation == SRCCOPY) {
        // A plain copy covers every pixel: filling first would be a second full-screen pass for nothing.
        picture.Resize(width, height);
        bool copied = false;
        picture.Draw([&](HDC dc) {
            copied = BitBlt(dc, 0, 0, width, height, screen, screenLeft, screenTop, SRCCOPY) != FALSE;
        });
        // Without the copy the picture would still hold the previous scatter's screen.
        if (!copied) picture.Clear(width, height, faceColour);
        return;
    }
    picture.Clear(width, height, faceColour);
    if (!operation) return;
    // The operations combine the screen with what the picture holds: the face colour.
    picture.Draw([&](HDC dc) { BitBlt(dc, 0, 0, width, height, screen, screenLeft, screenTop, *operation); });
}

}  // namespace yomorina::win32
