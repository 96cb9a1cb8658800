#include "platform/win32/desktop/UserAttention.h"

#include <dwmapi.h>
#include <shellapi.h>

#include <cwchar>
#include <iterator>

#include "platform/win32/base/LateBound.h"

namespace yomorina::win32 {
namespace {

// Called only when a scatter would start, so it may be imported: shell32 is
// loaded from start-up for the notification icon anyway.
bool SystemSaysTheUserIsBusy() {
    QUERY_USER_NOTIFICATION_STATE state{};
    if (FAILED(SHQueryUserNotificationState(&state))) return false;
    return state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE;
}

// The desktop covers every monitor and is in front whenever nothing else is
// (Wine's virtual desktop too); it and the taskbar are no program.
bool IsDesktopOrShell(HWND window) {
    if (window == GetDesktopWindow() || window == GetShellWindow()) return true;
    wchar_t name[64]{};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    for (const wchar_t* shell : {L"Progman", L"WorkerW", L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"}) {
        if (std::wcscmp(name, shell) == 0) return true;
    }
    return false;
}

// The client area, not the frame: a maximized window's frame reaches past the
// monitor's edges when the taskbar hides itself (and always in Wine's virtual
// desktop, which leaves the work area the whole screen), but its caption stays.
bool CoversItsMonitor(HWND window) {
    RECT client{};
    if (!GetClientRect(window, &client)) return false;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return false;
    const RECT& screen = monitor.rcMonitor;
    return client.left <= screen.left && client.top <= screen.top && client.right >= screen.right &&
           client.bottom >= screen.bottom;
}

// A small window of a full-screen program (its settings, a message) still has
// the program behind it: the window judged is the last shown one up the chain
// of owners from the foreground. An owner that never shows (older toolkits give
// every form a hidden application window to own it) is no window on screen, so
// the chain stops below it.
HWND ShownProgramWindow(HWND foreground) {
    HWND program = foreground;
    for (HWND owner = GetWindow(program, GW_OWNER); owner && IsWindowVisible(owner);
         owner = GetWindow(owner, GW_OWNER)) {
        program = owner;
    }
    return program;
}

}  // namespace

bool UserAttention::IsCloaked(HWND window) noexcept {
    DWORD cloaked = 0;
    return SUCCEEDED(late::DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof(cloaked))) && cloaked != 0;
}

bool UserAttention::ForegroundIsFullScreen() const {
    if (SystemSaysTheUserIsBusy()) return true;
    const HWND foreground = GetForegroundWindow();
    if (!foreground) return false;
    const HWND program = ShownProgramWindow(foreground);
    DWORD process = 0;
    GetWindowThreadProcessId(program, &process);
    if (process == ownProcessId_ || IsDesktopOrShell(program)) return false;
    // Browsers and terminals draw their own title bar, so a maximized one
    // fills its monitor where the taskbar hides; a cloaked one is not on screen.
    if (!IsWindowVisible(program) || IsIconic(program) || IsZoomed(program) || isCloaked_(program)) return false;
    return CoversItsMonitor(program);
}

}  // namespace yomorina::win32
