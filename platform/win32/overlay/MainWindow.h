#pragma once
// App on screen: a borderless popup that stays hidden while idle, with the
// notification icon's callback window, the timer and the tiles.

#include <windows.h>

#include <array>
#include <map>
#include <memory>
#include <optional>

#include "platform/CallKey.h"
#include "platform/MainWindow.h"
#include "platform/TickTimer.h"
#include "platform/win32/base/BaseWindow.h"
#include "platform/win32/base/HandleCountQuery.h"
#include "platform/win32/base/Handles.h"
#include "platform/win32/overlay/MouseWatch.h"
#include "platform/win32/base/PersistentImage.h"
#include "platform/win32/base/VirtualScreen.h"
#include "platform/win32/files/EntryLookup.h"
#include "platform/win32/overlay/TileWindow.h"

namespace yomorina::win32 {

inline constexpr wchar_t MainWindowClass[] = L"YomorinaMain";
inline constexpr wchar_t TrayCallbackWindowClass[] = L"YomorinaTrayCallback";

// Receives the notification icon's callback; it is never shown, so no real
// mouse message can be mistaken for one.
class TrayCallbackWindow final : public BaseWindow<TrayCallbackWindow> {
public:
    TrayCallbackWindow(HINSTANCE instance, HWND parent);
    void SetEvents(MainWindowEvents* events) { events_ = events; }
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    MainWindowEvents* events_ = nullptr;
};

// Windows refuses the foreground to a program in the background while the user
// works in another; Wine grants it. Tests imitate the refusal.
enum class ForegroundTaking { Ask, RefusedAsWindowsMay };

class MainWindow final : public yomorina::MainWindow,
                              public TickTimer,
                              public CallKeyHolder,
                              public BaseWindow<MainWindow> {
public:
    explicit MainWindow(HINSTANCE instance, ForegroundTaking foreground = ForegroundTaking::Ask);

    void SetEvents(MainWindowEvents* events);
    // Where the tiles take their icons from; without it they are blank.
    void SetEntryLookup(const EntryLookup* lookup) { lookup_ = lookup; }
    HWND TrayCallbackHandle() const { return trayWindow_->Handle(); }

    void Hide() override;
    void HideTile(int index) override;
    void HideCaption(int index) override;
    void Close() override;
    void ShowOverlay(OverlayBackground background) override;
    void ShowOverlayForCallKey(OverlayBackground background) override;
    void ShowTile(int index, int left, int top, int side, TilePicture picture, std::string_view path,
                  std::string_view accessibleName) override;
    void ShowCaption(int index, int left, int top, std::string_view text, int dotsPerInch) override;
    bool UserSwitchedAway() const override;
    void FocusTile(int index) override;

    bool Hold(std::uint16_t key) override;

    void Start() override;
    void Stop() override;
    bool WatchForMovement() override;
    void StopWatching() override;
    void RetryIcon(bool on) override;

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
    void ShowOverlay(OverlayBackground background, bool mayTakeForeground);
    HWND Caption(int index);
    TileWindow& Tile(int index);
    // The recycle-bin template, its picture drawn at this side.
    const TileWindow& RecycleBinTemplate(int side);
    // The type of the captions on a monitor of that density.
    HFONT CaptionFont(int dotsPerInch);
    // Esc and Alt+F4 as hot keys: they reach the overlay even when another
    // program keeps the keyboard, and never that program. Where another
    // program holds one, the overlay's own key handling remains.
    void TakeDismissKeys();
    void ReleaseDismissKeys();

    HINSTANCE instance_;
    ForegroundTaking foregroundTaking_;
    HWND foregroundAtShow_ = nullptr;  // the front window once the overlay had shown
    bool dismissKeysTaken_ = false;
    std::uint16_t callKey_ = 0;  // the call key held, 0 for none
    UINT taskbarCreatedMessage_;
    UINT handleCountQuery_;  // 0 unless started for tests
    TickCount ticks_;        // what that query reports of the timer
    UINT optionsAsked_;      // from another start of the program
    UINT dropMouseHook_;     // 0 unless started for tests
    MainWindowEvents* events_ = nullptr;
    const EntryLookup* lookup_ = nullptr;
    bool unloaded_ = false;
    std::optional<TrayCallbackWindow> trayWindow_;
    std::optional<MouseWatch> mouseWatch_;
    std::array<std::unique_ptr<TileWindow>, TileCount> tiles_;
    std::array<HWND, TileCount> captions_{};
    UniqueFont captionFont_;                       // at the system's density
    std::map<int, UniqueFont> scaledCaptionFonts_;
    bool drawnRecycleBin_ = false;  // made for monitors of other densities as they come
    PersistentImage picture_;  // the frozen screen
    ScreenArea overlayArea_;   // what the overlay covers: tiles arrive in screen coordinates
};

}  // namespace yomorina::win32
