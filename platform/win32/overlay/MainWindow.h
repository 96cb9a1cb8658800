#pragma once
// App on screen: a borderless popup that stays hidden while idle, with the
// notification icon's callback window, the timer, the hot keys and the tiles.

#include <windows.h>

#include <array>
#include <map>
#include <memory>
#include <optional>

#include "platform/MainWindow.h"
#include "platform/win32/base/BaseWindow.h"
#include "platform/win32/base/Handles.h"
#include "platform/win32/base/PersistentImage.h"
#include "platform/win32/base/TestSeams.h"
#include "platform/win32/files/EntryLookup.h"
#include "platform/win32/overlay/HotKeys.h"
#include "platform/win32/overlay/NoEvents.h"
#include "platform/win32/overlay/TestQueries.h"
#include "platform/win32/overlay/TileWindow.h"
#include "platform/win32/overlay/TrayIcon.h"
#include "platform/win32/overlay/VirtualScreen.h"
#include "platform/win32/overlay/Wakeups.h"

namespace yomorina::win32 {

class MainWindow final : public yomorina::MainWindow, public BaseWindow<MainWindow> {
public:
    explicit MainWindow(HINSTANCE instance, ForegroundTaking foreground = ForegroundTaking::Ask,
                        AltReading altReading = nullptr);

    void SetEvents(MainWindowEvents* events);
    // Where the tiles take their icons from; without it they are blank.
    void SetEntryLookup(const EntryLookup* lookup) { lookup_ = lookup; }
    HWND TrayCallbackHandle() const { return trayWindow_->Handle(); }

    void Hide() override;
    void HideTile(int index) override;
    void HideCaption(int index) override;
    void Close() override;
    void ShowOverlay(OverlayBackground background) override;
    void TakeForeground() override;
    void ShowTile(int index, int left, int top, int side, TilePicture picture, std::string_view path,
                  std::string_view accessibleName) override;
    void ShowCaption(int index, int left, int top, std::string_view text, int dotsPerInch) override;
    bool UserSwitchedAway() const override;
    void FocusTile(int index) override;
    void ReleaseOverlayKeys() override { hotKeys_->ReleaseOverlayKeys(); }
    bool HearSessionChanges() override;

    Wakeups& WakeupSources() { return *wakeups_; }
    CallKeyHolder& CallKey() { return *hotKeys_; }

    // Null until the tile is first shown.
    HWND TileHandle(int index) const {
        const auto& tile = tiles_.at(index);
        return tile ? tile->Handle() : nullptr;
    }
    // Null until the caption is first shown.
    HWND CaptionHandle(int index) const { return captions_.at(index); }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    void OnDestroyed() noexcept override;
    HWND Caption(int index);
    TileWindow& Tile(int index);
    // The recycle-bin template, its picture drawn at this side.
    const TileWindow& RecycleBinTemplate(int side);
    // The type of the captions on a monitor of that density.
    HFONT CaptionFont(int dotsPerInch);

    HINSTANCE instance_;
    ForegroundTaking foregroundTaking_;
    HWND foregroundAtShow_ = nullptr;  // the front window once the overlay had shown
    int focusedTile_ = -1;             // where the tiles' keys go
    bool inHotKey_ = false;            // a hot key's message is being handled
    UINT taskbarCreatedMessage_;
    UINT optionsAsked_;  // from another start of the program
    TestQueries testQueries_;
    MainWindowEvents* events_ = &NoEvents();
    const EntryLookup* lookup_ = nullptr;
    bool unloaded_ = false;
    bool hearingSessionChanges_ = false;
    std::optional<TrayCallbackWindow> trayWindow_;
    std::optional<Wakeups> wakeups_;
    std::optional<HotKeys> hotKeys_;
    std::array<std::unique_ptr<TileWindow>, TileCount> tiles_;
    std::array<HWND, TileCount> captions_{};
    UniqueFont captionFont_;                       // at the system's density
    std::map<int, UniqueFont> scaledCaptionFonts_;
    bool drawnRecycleBin_ = false;  // made for monitors of other densities as they come
    PersistentImage picture_;  // the frozen screen
    ScreenArea overlayArea_;   // what the overlay covers: tiles arrive in screen coordinates
};

}  // namespace yomorina::win32
