#include "platform/win32/desktop/Monitors.h"

#include <windows.h>

#include "platform/win32/base/LateBound.h"

namespace yomorina::win32 {

int Monitors::DotsPerInchAt(ScreenPoint point) const {
    const HMONITOR monitor = MonitorFromPoint(POINT{point.x, point.y}, MONITOR_DEFAULTTONEAREST);
    UINT dpiX = 0;
    UINT dpiY = 0;
    constexpr int EffectiveDpi = 0;
    if (monitor && SUCCEEDED(late::GetDpiForMonitor(monitor, EffectiveDpi, &dpiX, &dpiY)) && dpiX > 0) {
        return static_cast<int>(dpiX);
    }
    // Without a per-monitor answer every monitor has the system's scale.
    return static_cast<int>(GetDpiForSystem());
}

ScreenRect Monitors::AreaAt(ScreenPoint point) const {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    const HMONITOR monitor = MonitorFromPoint(POINT{point.x, point.y}, MONITOR_DEFAULTTONEAREST);
    if (!monitor || !GetMonitorInfoW(monitor, &info)) {
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

}  // namespace yomorina::win32
