#include "platform/win32/overlay/FrozenScreen.h"

namespace yomorina::win32 {

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
