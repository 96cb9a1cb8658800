#include "platform/win32/overlay/HotKeys.h"

#include <iterator>
#include <utility>

#include "core/CallKey.h"

namespace yomorina::win32 {
namespace {

constexpr int EscapeHotKeyId = 1;
constexpr int AltF4HotKeyId = 2;
constexpr int CallHotKeyId = 3;

// The keys the tiles use, each a hot key of its own while the overlay shows.
struct TileHotKey {
    UINT modifiers;
    UINT key;
    TileKey meaning;
};
constexpr TileHotKey TileHotKeys[] = {
    {0, VK_TAB, TileKey::Next},    {MOD_SHIFT, VK_TAB, TileKey::Previous}, {0, VK_LEFT, TileKey::Left},
    {0, VK_RIGHT, TileKey::Right}, {0, VK_UP, TileKey::Up},                {0, VK_DOWN, TileKey::Down},
    {0, VK_RETURN, TileKey::Open}, {0, VK_SPACE, TileKey::Open},
};
constexpr int FirstTileHotKeyId = 4;
constexpr int TileHotKeyCount = static_cast<int>(std::size(TileHotKeys));

// The call key's modifiers as RegisterHotKey's; a held-down key repeats no press.
UINT HotKeyModifiers(CallKey key) {
    UINT modifiers = MOD_NOREPEAT;
    if (key.Has(CallKey::Shift)) modifiers |= MOD_SHIFT;
    if (key.Has(CallKey::Control)) modifiers |= MOD_CONTROL;
    if (key.Has(CallKey::Alt)) modifiers |= MOD_ALT;
    return modifiers;
}

// The Alt of Alt+F4 reached the window in front, the F4 only us: released with
// nothing pressed since, that window would take the Alt alone, the way to its
// menu bar. A key with no meaning (0xE8 is unassigned), pressed while Alt is
// still down, tells it the Alt was used. The hot key's message is posted: by
// now the Alt may be up, and the key would reach the program in front as a
// stray press. The Alt reads up, too, while the keyboard's input goes where
// this program cannot reach (another desktop, such as the secure one).
void MaskTheAltPress(AltReading altReading) {
    const bool altDown = altReading ? altReading() : GetAsyncKeyState(VK_MENU) < 0;
    if (!altDown) return;
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

void HotKeys::TakeOverlayKeys() {
    ReleaseOverlayKeys();
    RegisterHotKey(window_, EscapeHotKeyId, 0, VK_ESCAPE);
    RegisterHotKey(window_, AltF4HotKeyId, MOD_ALT, VK_F4);
    tileKeysTaken_ = true;
    for (int i = 0; i < TileHotKeyCount && tileKeysTaken_; ++i) {
        // A held-down Enter opens once; the tiles are gone after it.
        const TileHotKey& tileKey = TileHotKeys[i];
        tileKeysTaken_ = RegisterHotKey(window_, FirstTileHotKeyId + i, tileKey.modifiers | MOD_NOREPEAT, tileKey.key);
    }
    // With one of them another program's, the tiles go without the keyboard
    // rather than half of it, unseen, and the rest stay with the window in front.
    if (!tileKeysTaken_) {
        for (int i = 0; i < TileHotKeyCount; ++i) UnregisterHotKey(window_, FirstTileHotKeyId + i);
    }
    overlayKeysTaken_ = true;
}

void HotKeys::ReleaseOverlayKeys() {
    if (!std::exchange(overlayKeysTaken_, false)) return;
    UnregisterHotKey(window_, EscapeHotKeyId);
    UnregisterHotKey(window_, AltF4HotKeyId);
    for (int i = 0; i < TileHotKeyCount; ++i) UnregisterHotKey(window_, FirstTileHotKeyId + i);
    tileKeysTaken_ = false;
}

bool HotKeys::Hold(std::uint16_t key) {
    if (key == callKey_) return true;
    if (std::exchange(callKey_, 0) != 0) UnregisterHotKey(window_, CallHotKeyId);
    if (key == 0) return true;
    const CallKey callKey(key);
    if (!RegisterHotKey(window_, CallHotKeyId, HotKeyModifiers(callKey), callKey.Key())) return false;
    callKey_ = key;
    return true;
}

void HotKeys::ReleaseAll() {
    ReleaseOverlayKeys();
    Hold(0);
}

void HotKeys::OnHotKey(WPARAM id, const std::function<void(HotKeyPress)>& carry) {
    HotKeyPress press;
    const auto tileKey = static_cast<int>(id) - FirstTileHotKeyId;
    if (tileKey >= 0 && tileKey < TileHotKeyCount) press = {HotKeyPress::Meaning::TileKey, TileHotKeys[tileKey].meaning};
    if (id == AltF4HotKeyId) MaskTheAltPress(altReading_);
    if (id == EscapeHotKeyId || id == AltF4HotKeyId) press.meaning = HotKeyPress::Meaning::Dismiss;
    if (id == CallHotKeyId) press.meaning = HotKeyPress::Meaning::CallKey;
    const bool outer = std::exchange(inHotKeyMessage_, true);
    carry(press);
    inHotKeyMessage_ = outer;
}

}  // namespace yomorina::win32
