#pragma once
// The main window: hidden while idle, the full-screen overlay during a scatter,
// holding the tiles (one for each slot and the recycle-bin template) and their captions.

#include <string_view>

#include "core/Model.h"
#include "platform/Dimensions.h"
#include "platform/FileDrop.h"
#include "platform/TrayIcon.h"

namespace yomorina {

// What a tile shows: its target's icon, or the recycle-bin template's picture.
enum class TilePicture { TargetIcon, RecycleBin };

// A key pressed on the tile that has the keyboard: Tab and Shift+Tab, the
// arrows, Enter or Space.
enum class TileKey { Next, Previous, Left, Right, Up, Down, Open };

class MainWindow {
public:
    virtual ~MainWindow() = default;
    virtual void Hide() = 0;
    virtual void HideTile(int index) = 0;
    virtual void HideCaption(int index) = 0;
    virtual void Close() = 0;

    // Covers the screen, topmost, with a snapshot taken while still hidden, then shows itself and asks for
    // the foreground, which Windows may refuse; notes the window in front either way.
    // While it is shown, Esc and Alt+F4 are its own whatever window keeps the keyboard.
    virtual void ShowOverlay(OverlayBackground background) = 0;
    // Brings the window, still hidden, to the front, for a press of the call key: that press gives
    // the program the right to the foreground on Windows too, until the user's next input, so this
    // comes before anything slow; the overlay shown next keeps it.
    virtual void TakeForeground() = 0;
    // Draws the tile's picture afresh at side x side pixels (path is used for TargetIcon), names it for
    // screen readers, moves it to (left, top) and shows it.
    virtual void ShowTile(int index, int left, int top, int side, TilePicture picture, std::string_view path,
                          std::string_view accessibleName) = 0;
    // Sizes the caption to its one-line text in the type of a monitor of that density, moves it to
    // (left, top) and shows it.
    virtual void ShowCaption(int index, int left, int top, std::string_view text, int dotsPerInch) = 0;
    // Whether the user brought another window to the front since the overlay was shown.
    virtual bool UserSwitchedAway() const = 0;
    // Gives the shown tile the keyboard focus, draws it so and tells screen readers.
    virtual void FocusTile(int index) = 0;
    // Lets go of Esc and Alt+F4 while the overlay still shows, for a window that
    // must answer to them (the shell's confirmation, an error box).
    virtual void ReleaseOverlayKeys() = 0;
    // Asks to hear of the session's unlocks and reconnections
    // (MainWindowEvents::OnPointerMayHaveJumped); false while the system does
    // not take the request yet, as early in a sign-in.
    virtual bool HearSessionChanges() = 0;
};

}  // namespace yomorina

namespace yomorina {

// What the main window reports; the logic behind it decides.
class MainWindowEvents {
public:
    virtual ~MainWindowEvents() = default;
    virtual void OnOverlayClick() = 0;
    // Alt+F4 or Esc while the overlay is shown.
    virtual void OnOverlayDismiss() = 0;
    virtual void OnClosing() = 0;
    // A mouse event on the notification icon.
    virtual void OnTrayEvent(TrayPress press) = 0;
    virtual void OnTaskbarCreated() = 0;
    // Time to ask again for what the system refused (Wakeups::RetryRefused).
    virtual void OnRetryRefused() = 0;
    // Time to read the list file again (Wakeups::RetryListRead).
    virtual void OnListReadRetry() = 0;
    virtual void OnTick() = 0;
    // The pointer moved while Wakeups::WatchForMovement was in force.
    virtual void OnPointerMoved() = 0;
    // The pointer may have moved unheard: the session was unlocked or
    // reconnected, the displays changed, or the machine woke from sleep.
    virtual void OnPointerMayHaveJumped() = 0;
    // Another start of the program asked for the options dialog.
    virtual void OnOptionsAsked() = 0;
    // A left click on a tile.
    virtual void OnTileClick(int index) = 0;
    // Something dropped on a tile from another program.
    virtual void OnTileDrop(int index, const DroppedData& data) = 0;
    // A key on the tile that has the keyboard.
    virtual void OnTileKey(int index, TileKey key) = 0;
    // The call key was pressed, whatever program is in front.
    virtual void OnCallKey() = 0;
};

}  // namespace yomorina
