#include "platform/win32/overlay/VirtualScreen.h"

namespace yomorina::win32 {

ScreenArea VirtualScreenArea() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

POINT OverlayClientPoint(ScreenPoint screen, const ScreenArea& overlay) {
    return {screen.x - overlay.left, screen.y - overlay.top};
}

}  // namespace yomorina::win32
