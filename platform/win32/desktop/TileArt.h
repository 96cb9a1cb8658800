#pragma once
// The program's own picture for the recycle bin, drawn the same wherever a
// tile is shown: on the overlay and in the options dialog's preview.

#include <windows.h>

namespace yomorina::win32 {

// The ground the recycle bin sits on.
COLORREF RecycleBinGround();

// The recycle bin at side x side pixels from (0, 0); its larger images are
// drawn from their own, not stretched.
void DrawRecycleBin(HDC dc, HINSTANCE instance, int side);

}  // namespace yomorina::win32
