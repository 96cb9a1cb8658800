#pragma once

#include <windows.h>

#include <string_view>

#include "platform/win32/base/Handles.h"

namespace yomorina::win32 {

// The icon of a program, document or folder at side x side pixels, or the
// system's icon size when side is 0: the file's first icon, else its
// associated program's, else the shell's icon for the item. Null when there is none.
UniqueIcon TargetIcon(std::string_view path, int side);

// Draws the icon of a program, document or folder at (0, 0) of dc, side x side
// pixels, or in its own size when side is 0 (TargetIcon's). Every icon handle
// is destroyed again. False when nothing could be drawn.
bool DrawTargetIcon(HDC dc, std::string_view path, int side = 0);

}  // namespace yomorina::win32
