#include "platform/win32/overlay/FrozenScreen.h"

#include <algorithm>

#include "platform/win32/base/LateBound.h"

namespace yomorina::win32 {
namespace {

// What one transfer from the screen reads at most under Wine. Wine stages all a
// transfer reads on its way (the X server's image of it), so a whole screen at
// once would cost another screenful for a moment, 63 MiB on two 4K monitors,
// which the heap may then keep; it keeps at most a band or two. Windows reads
// the screen in one transfer, where each call costs a trip to the compositor.
constexpr int BandBytes = 256 * 1024;

}  // namespace

bool CopyFromScreen(HDC target, int width, int height, HDC screen, int screenLeft, int screenTop, DWORD operation) {
    const int rows = RunningOnWine() ? std::max(1, BandBytes / std::max(1, width * 4)) : height;
    for (int top = 0; top < height; top += rows) {
        if (!BitBlt(target, 0, top, width, std::min(rows, height - top), screen, screenLeft, screenTop + top,
                    operation)) {
            return false;
        }
    }
    return true;
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
        picture.Draw([&](HDC dc) { copied = CopyFromScreen(dc, width, height, screen, screenLeft, screenTop, SRCCOPY); });
        // Without the copy the picture would still hold the previous scatter's screen.
        if (!copied) picture.Clear(width, height, faceColour);
        return;
    }
    picture.Clear(width, height, faceColour);
    if (!operation) return;
    // The operations combine the screen with what the picture holds: the face colour.
    picture.Draw([&](HDC dc) { CopyFromScreen(dc, width, height, screen, screenLeft, screenTop, *operation); });
}

}  // namespace yomorina::win32
