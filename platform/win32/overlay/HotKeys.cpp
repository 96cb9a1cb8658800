#include "platform/win32/overlay/HotKeys.h"

#include <commctrl.h>

#include <utility>

namespace yomorina::win32 {
namespace {

constexpr int EscapeHotKeyId = 1;
constexpr int AltF4HotKeyId = 2;
constexpr int CallHotKeyId = 3;

// The hot-key control's modifier flags as RegisterHotKey's; a held-down key
// repeats no press.
UINT HotKeyModifiers(std::uint16_t key) {
    const BYTE flags = HIBYTE(key);
    UINT modifiers = MOD_NOREPEAT;
    if (flags & HOTKEYF_SHIFT) modifiers |= MOD_SHIFT;
    if (flags & HOTKEYF_CONTROL) modifiers |= MOD_CONTROL;
    if (flags & HOTKEYF_ALT) modifiers |= MOD_ALT;
    return modifiers;
}

}  // namespace

void HotKeys::TakeDismissKeys() {
    ReleaseDismissKeys();
    RegisterHotKey(window_, EscapeHotKeyId, 0, VK_ESCAPE);
    RegisterHotKey(window_, AltF4HotKeyId, MOD_ALT, VK_F4);
    dismissKeysTaken_ = true;
}

void HotKeys::ReleaseDismissKeys() {
    if (!std::exchange(dismissKeysTaken_, false)) return;
    UnregisterHotKey(window_, EscapeHotKeyId);
    UnregisterHotKey(window_, AltF4HotKeyId);
}

bool HotKeys::Hold(std::uint16_t key) {
    if (key == callKey_) return true;
    if (std::exchange(callKey_, 0) != 0) UnregisterHotKey(window_, CallHotKeyId);
    if (key == 0) return true;
    if (!RegisterHotKey(window_, CallHotKeyId, HotKeyModifiers(key), LOBYTE(key))) return false;
    callKey_ = key;
    return true;
}

void HotKeys::ReleaseAll() {
    ReleaseDismissKeys();
    Hold(0);
}

void HotKeys::OnHotKey(WPARAM id, MainWindowEvents& events) const {
    if (id == EscapeHotKeyId || id == AltF4HotKeyId) events.OnOverlayDismiss();
    if (id == CallHotKeyId) events.OnCallKey();
}

}  // namespace yomorina::win32
