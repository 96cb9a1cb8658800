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

// The Alt of Alt+F4 reached the window in front, the F4 only us: released with
// nothing pressed since, that window would take the Alt alone, the way to its
// menu bar. A key with no meaning (0xE8 is unassigned), pressed while Alt is
// still down, tells it the Alt was used; after the Alt's release it does nothing.
void MaskTheAltPress() {
    constexpr WORD UnassignedKey = 0xE8;
    INPUT keys[2]{};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = UnassignedKey;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
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
    if (id == AltF4HotKeyId) MaskTheAltPress();
    if (id == EscapeHotKeyId || id == AltF4HotKeyId) events.OnOverlayDismiss();
    if (id == CallHotKeyId) events.OnCallKey();
}

}  // namespace yomorina::win32
