#pragma once
// The keys the program takes from every other: while the overlay shows, Esc,
// Alt+F4 and the keys the tiles use (Enter, Space, Tab, Shift+Tab, the
// arrows); the call key while the user has chosen one. A hot key reaches its
// taker whatever window has the keyboard, and never that window: Windows may
// keep the keyboard with the program in front after a shake.

#include <windows.h>

#include <cstdint>

#include "platform/CallKey.h"
#include "platform/MainWindow.h"
#include "platform/win32/base/TestSeams.h"

namespace yomorina::win32 {

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

    // The window's WM_HOTKEY; a tile's key goes to focusedTile, if any (-1 for none).
    void OnHotKey(WPARAM id, int focusedTile, MainWindowEvents& events) const;

private:
    HWND window_;
    AltReading altReading_;
    bool overlayKeysTaken_ = false;
    bool tileKeysTaken_ = false;
    std::uint16_t callKey_ = 0;  // 0 for none
};

}  // namespace yomorina::win32
