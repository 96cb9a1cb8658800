#pragma once
// The overlay's picture of the screen as it was when the scatter began, seen
// through the background pattern the user chose.

#include <windows.h>

#include <optional>

#include "core/Model.h"
#include "platform/win32/base/PersistentImage.h"

namespace yomorina::win32 {

// The raster operation that combines the screen with the button-face colour;
// none for the plain background.
std::optional<DWORD> RasterOperationFor(OverlayBackground background);

// The screen from (screenLeft, screenTop) into target through operation, as
// fast as this system reads it: in bands of rows under Wine, else at once.
bool CopyFromScreen(HDC target, int width, int height, HDC screen, int screenLeft, int screenTop, DWORD operation);

// The overlay's frozen screen: the picture becomes faceColour, then, unless the
// background is plain, one block transfer of the screen from (screenLeft,
// screenTop) on through its raster operation, a band of rows at a time.
void FreezeScreen(PersistentImage& picture, int width, int height, COLORREF faceColour, HDC screen,
                  OverlayBackground background, int screenLeft = 0, int screenTop = 0);

}  // namespace yomorina::win32
