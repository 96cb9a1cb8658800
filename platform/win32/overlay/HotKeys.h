#pragma once
// The keys the program takes from every other: while the overlay shows, Esc,
// Alt+F4 and the keys the tiles use (Enter, Space, Tab, Shift+Tab, the
// arrows); the call key while the user has chosen one. A hot key reaches its
// taker whatever window has the keyboard, and never that window: Windows may
// keep the keyboard with the program in front after a shake.

#include <windows.h>

#include <cstdint>
#include <functional>

#include "platform/CallKey.h"
#include "platform/Overlay.h"
#include "platform/win32/base/TestSeams.h"

namespace yomorina::win32 {

// What a press of one of the keys means.
struct HotKeyPress {
    enum class Meaning { None, Dismiss, TileKey, CallKey };
    Meaning meaning = Meaning::None;
    TileKey tileKey = TileKey::Next;  // for a tile's key
};

class HotKeys final : public CallKeyHolder {
public:
    explicit HotKeys(HWND window, AltReading altReading = nullptr) : window_(window), altReading_(altReading) {}

    // Where another program holds one, the overlay's own key handling remains.
    void TakeOverlayKeys();
    void ReleaseOverlayKeys();
    // Whether the keys the tiles use are the overlay's, wherever the keyboard is:
    // all of them, or none where another program holds one.
    bool TileKeysTaken() const { return tileKeysTaken_; }
    bool Hold(std::uint16_t key) override;
    // Before the window goes: a hot key outlives its window otherwise.
    void ReleaseAll();

    // The window's WM_HOTKEY, told what it means; the leave to take the foreground
    // that a hot key gives lasts while carry runs (the user's next input ends it).
    void OnHotKey(WPARAM id, const std::function<void(HotKeyPress)>& carry);
    bool InHotKeyMessage() const { return inHotKeyMessage_; }

private:
    HWND window_;
    AltReading altReading_;
    bool overlayKeysTaken_ = false;
    bool tileKeysTaken_ = false;
    std::uint16_t callKey_ = 0;  // 0 for none
    bool inHotKeyMessage_ = false;
};

}  // namespace yomorina::win32
