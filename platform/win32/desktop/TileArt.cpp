#include "platform/win32/desktop/TileArt.h"

#include "platform/win32/base/Handles.h"
#include "resources/resource.h"

namespace yomorina::win32 {

COLORREF RecycleBinGround() { return GetSysColor(COLOR_BTNFACE); }

void DrawRecycleBin(HDC dc, HINSTANCE instance, int side) {
    const UniqueIcon recycleBin(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_RECYCLE_BIN), IMAGE_ICON, side, side, LR_DEFAULTCOLOR)));
    if (recycleBin) DrawIconEx(dc, 0, 0, recycleBin.get(), side, side, 0, nullptr, DI_NORMAL);
}

}  // namespace yomorina::win32
