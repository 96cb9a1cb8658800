#include "platform/win32/MouseWatch.h"

#include "platform/win32/AppMessages.h"

namespace yomorina::win32 {
namespace {

// A hook carries no context of its own; the program watches one pointer, from one thread.
HWND watchingWindow = nullptr;
bool reported = false;

LRESULT CALLBACK OnLowLevelMouse(int code, WPARAM message, LPARAM data) {
    // Buttons and the wheel alone move nothing; the tick looks at the pointer itself.
    if (code == HC_ACTION && message == WM_MOUSEMOVE && watchingWindow && !reported) {
        reported = true;
        PostMessageW(watchingWindow, MouseMovedMessage, 0, 0);
    }
    return CallNextHookEx(nullptr, code, message, data);
}

}  // namespace

bool MovementReportsMissSomeMoves() {
    static const bool misses = [] {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) return false;
        // Wine's virtual desktop is an X window of its own, named on the desktop
        // window; outside it the desktop is the X screen itself.
        return GetPropW(GetDesktopWindow(), L"__wine_x11_whole_window") == nullptr;
    }();
    return misses;
}

bool MouseWatch::Start() {
    if (hook_) return true;
    if (MovementReportsMissSomeMoves()) return false;
    hook_ = SetWindowsHookExW(WH_MOUSE_LL, OnLowLevelMouse, GetModuleHandleW(nullptr), 0);
    if (!hook_) return false;
    watchingWindow = target_;
    reported = false;
    return true;
}

void MouseWatch::Stop() {
    if (!hook_) return;
    UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    if (watchingWindow == target_) watchingWindow = nullptr;
}

void MouseWatch::Renew() {
    if (!hook_) return;
    Stop();
    // Without a hook nothing would ever wake the program: the ticks take over.
    if (!Start()) PostMessageW(target_, MouseMovedMessage, 0, 0);
}

}  // namespace yomorina::win32
