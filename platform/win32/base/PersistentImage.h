#pragma once
// An off-screen picture that a window paints from, so that what was drawn into
// it survives being covered, hidden and shown again.

#include <windows.h>

#include <functional>

#include "platform/win32/base/Handles.h"

namespace yomorina::win32 {

// A 32-bit picture, top row first; pixels, if given, receives where its memory is.
UniqueBitmap MakeSection(int width, int height, void** pixels = nullptr);

class PersistentImage {
public:
    // Makes the picture width x height in the screen's colour format; the pixels are
    // left as they were when the size is unchanged, undefined otherwise.
    void Resize(int width, int height);
    // Makes the picture width x height (in the screen's colour format) and fills it with colour.
    void Clear(int width, int height, COLORREF colour);
    // Lets draw paint into the picture through a memory DC.
    void Draw(const std::function<void(HDC)>& draw);
    // Takes over the other picture's size and pixels.
    void CopyFrom(const PersistentImage& other);
    // Lets the picture go; drawing into it does nothing until it is made again.
    void Release();
    // Answers window's WM_PAINT from the picture; what it does not cover gets fallback.
    // over then draws on top, within the same painting.
    void PaintWindow(HWND window, COLORREF fallback, const std::function<void(HDC)>& over = {}) const;

    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    UniqueBitmap bitmap_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace yomorina::win32
