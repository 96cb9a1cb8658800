#include "platform/win32/resident/MouseWatch.h"

#include "platform/win32/base/AppMessages.h"
#include "platform/win32/base/LateBound.h"
#include "platform/win32/base/TestSeams.h"

namespace yomorina::win32 {
namespace {

// Enough rests to meet the foreground's changes, few enough that the hook
// soon leaves a desktop where raw input hears everything.
constexpr int RestsBeforeRawInputAlone = 8;

// A hook carries no context of its own; the program watches one pointer, from one thread.
HWND watchingWindow = nullptr;
HHOOK watchingHook = nullptr;
bool reported = false;

void Report() {
    reported = true;
    PostMessageW(watchingWindow, MouseMovedMessage, 0, 0);
}

LRESULT CALLBACK OnLowLevelMouse(int code, WPARAM message, LPARAM data) {
    // Buttons and the wheel alone move nothing; the tick looks at the pointer itself.
    if (code == HC_ACTION && message == WM_MOUSEMOVE && watchingWindow && !reported) Report();
    return CallNextHookEx(nullptr, code, message, data);
}

bool ListenToRawInput(HWND target) {
    // Generic desktop page, mouse usage; with RIDEV_REMOVE the target must be null.
    const RAWINPUTDEVICE mouse{0x01, 0x02, static_cast<DWORD>(target ? RIDEV_INPUTSINK : RIDEV_REMOVE), target};
    return RegisterRawInputDevices(&mouse, 1, sizeof(mouse)) != FALSE;
}

}  // namespace

bool MovementReportsMissSomeMoves() {
    static const bool misses = [] {
        if (!RunningOnWine()) return false;
        // Wine's virtual desktop is an X window of its own, named on the desktop
        // window; outside it the desktop is the X screen itself.
        return GetPropW(GetDesktopWindow(), L"__wine_x11_whole_window") == nullptr;
    }();
    return misses;
}

bool MouseWatch::WantsHook() const { return restsRawInputHeard_ < RestsBeforeRawInputAlone; }

void MouseWatch::LearnFromLastRest() {
    if (!rest_.woken || !rest_.hooked) return;
    restsRawInputHeard_ = rest_.rawInputHeard ? restsRawInputHeard_ + 1 : 0;
}

bool MouseWatch::Start() {
    if (hook_ || listening_) return true;
    if (MovementReportsMissSomeMoves()) return false;
    LearnFromLastRest();
    watchingWindow = target_;
    reported = false;
    listening_ = ListenToRawInput(target_);
    if (WantsHook() || !listening_) {
        hook_ = SetWindowsHookExW(WH_MOUSE_LL, OnLowLevelMouse, GetModuleHandleW(nullptr), 0);
        watchingHook = hook_;
    }
    rest_ = Rest{hook_ != nullptr};
    GetCursorPos(&rest_.from);
    if (hook_ || listening_) return true;
    watchingWindow = nullptr;
    return false;
}

void MouseWatch::Stop() {
    if (!hook_ && !listening_) return;
    rest_.woken = reported;
    // Raw input alone, woken by something else with the pointer gone elsewhere:
    // it missed the move, and the hook comes back.
    POINT now{};
    if (!reported && !rest_.hooked && GetCursorPos(&now) && (now.x != rest_.from.x || now.y != rest_.from.y)) {
        restsRawInputHeard_ = 0;
    }
    if (hook_) {
        // Fails harmlessly for a hook the system dropped.
        UnhookWindowsHookEx(hook_);
        hook_ = nullptr;
        watchingHook = nullptr;
    }
    if (listening_) {
        ListenToRawInput(nullptr);
        listening_ = false;
    }
    if (watchingWindow == target_) watchingWindow = nullptr;
}

void MouseWatch::Hear(HRAWINPUT input) {
    RAWINPUT raw{};
    UINT size = sizeof(raw);
    if (GetRawInputData(input, RID_INPUT, &raw, &size, sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1)) return;
    if (raw.header.dwType != RIM_TYPEMOUSE) return;
    const RAWMOUSE& mouse = raw.data.mouse;
    // As for the hook: buttons and the wheel alone move nothing.
    if (mouse.usButtonFlags && !(mouse.usFlags & MOUSE_MOVE_ABSOLUTE) && mouse.lLastX == 0 && mouse.lLastY == 0) return;
    // Heard after the hook's report too, while it is still queued.
    rest_.rawInputHeard = true;
    if (!listening_ || reported || watchingWindow != target_) return;
    Report();
}

void DropTheMouseHookAsTheSystemMay() {
    if (!watchingHook) return;
    UnhookWindowsHookEx(watchingHook);
    watchingHook = nullptr;
}

}  // namespace yomorina::win32
