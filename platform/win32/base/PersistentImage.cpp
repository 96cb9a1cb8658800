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

}  // namespace yomorina::win32
