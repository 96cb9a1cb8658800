#pragma once
// The keys the program takes from every other: Esc and Alt+F4 while the
// overlay shows, and the call key while the user has chosen one. A hot key
// reaches its taker whatever window has the keyboard, and never that window.

#include <windows.h>

#include <cstdint>

#include "platform/CallKey.h"
#include "platform/MainWindow.h"

namespace yomorina::win32 {

class HotKeys final : public CallKeyHolder {
public:
    explicit HotKeys(HWND window) : window_(window) {}

    // Where another program holds one, the overlay's own key handling remains.
    void TakeDismissKeys();
    void ReleaseDismissKeys();
    bool Hold(std::uint16_t key) override;
    // Before the window goes: a hot key outlives its window otherwise.
    void ReleaseAll();

    // The window's WM_HOTKEY.
    void OnHotKey(WPARAM id, MainWindowEvents& events) const;

private:
    HWND window_;
    bool dismissKeysTaken_ = false;
    std::uint16_t callKey_ = 0;  // 0 for none
};

}  // namespace yomorina::win32
