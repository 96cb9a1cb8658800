#include "platform/win32/desktop/Pointer.h"

#include <windows.h>

namespace yomorina::win32 {

ScreenPoint Pointer::Position() {
    POINT at{};
    // While the pointer cannot be read (a locked workstation) it has not moved.
    if (GetCursorPos(&at)) last_ = {at.x, at.y};
    return last_;
}

}  // namespace yomorina::win32
