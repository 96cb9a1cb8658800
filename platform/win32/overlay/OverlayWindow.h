#pragma once
// The overlay on screen: a borderless popup over every monitor, hidden while
// idle, that shows the frozen screen and the tiles on it.

#include <windows.h>

#include <array>
#include <memory>

#include "platform/Overlay.h"
#include "platform/win32/base/BaseWindow.h"
#include "platform/win32/base/PersistentImage.h"
#include "platform/win32/base/TestSeams.h"
#include "platform/win32/files/EntryLookup.h"
#include "platform/win32/overlay/HotKeys.h"
#include "platform/win32/overlay/NoEvents.h"
#include "platform/win32/overlay/Tile.h"
#include "platform/win32/overlay/VirtualScreen.h"

namespace yomorina::win32 {

class OverlayWindow final : public yomorina::Overlay, public BaseWindow<OverlayWindow> {
public:
    // owner is the main window, which a close of the overlay's reaches; hotKeys
    // are its keys, taken while the overlay shows.
    OverlayWindow(HINSTANCE instance, HWND owner, HotKeys& hotKeys, ForegroundTaking foreground);

    void SetEvents(OverlayEvents* events);
    // Where the tiles take their icons from; without it they are blank.
    void SetEntryLookup(const EntryLookup* lookup) { lookup_ = lookup; }

    void Show(OverlayBackground background) override;
    void Prepare() override;
    void Hide() override;
    void TakeForeground() override;
    void ShowTile(const TilePlacement& tile) override;
    bool UserSwitchedAway() const override;
    void FocusTile(int slot) override;
    void ReleaseKeys() override { hotKeys_.ReleaseOverlayKeys(); }

    // A press of one of the overlay's hot keys, heard by the main window.
    void OnHotKey(const HotKeyPress& press);

    // Null until the slot's tile is first shown.
    HWND TileHandle(int slot) const {
        const auto& tile = tiles_.at(slot);
        return tile ? tile->Handle() : nullptr;
    }
    HWND CaptionHandle(int slot) const {
        const auto& tile = tiles_.at(slot);
        return tile ? tile->CaptionHandle() : nullptr;
    }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    HWND Window();
    Tile& TileOf(int slot);

    HINSTANCE instance_;
    HWND owner_;
    HotKeys& hotKeys_;
    ForegroundTaking foregroundTaking_;
    HWND foregroundAtShow_ = nullptr;  // the front window once the overlay had shown
    int focusedTile_ = -1;             // where the tiles' keys go
    OverlayEvents* events_ = &NoEvents::Instance();
    const EntryLookup* lookup_ = nullptr;
    CaptionType captionType_;
    std::array<std::unique_ptr<Tile>, TileCount> tiles_;
    PersistentImage picture_;  // the frozen screen
    ScreenArea overlayArea_;   // what the overlay covers: tiles arrive in screen coordinates
};

}  // namespace yomorina::win32
