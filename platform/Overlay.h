#pragma once
// The overlay: hidden while idle, during a scatter the frozen screen over every
// monitor with the tiles that came out on it, each with its caption.

#include <string>

#include "core/Model.h"
#include "platform/Dimensions.h"
#include "platform/FileDrop.h"

namespace yomorina {

// What a tile shows: its target's icon, or the recycle bin's picture.
enum class TilePicture { TargetIcon, RecycleBin };

// A key pressed on the tile that has the keyboard: Tab and Shift+Tab, the
// arrows, Enter or Space.
enum class TileKey { Next, Previous, Left, Right, Up, Down, Open };

// A slot coming out: where its tile and caption go and what they show, in screen coordinates.
struct TilePlacement {
    int Slot = 0;
    int Left = 0;
    int Top = 0;
    int CaptionLeft = 0;
    int CaptionTop = 0;
    int Side = TileSide;                          // the tile's side at the monitor's scale
    int DotsPerInch = StandardDotsPerInch;        // the monitor's, for the caption's type
    TilePicture Picture = TilePicture::TargetIcon;
    std::string Path;
    std::string Name;                             // the caption
    std::string AccessibleName;                   // what a screen reader announces for the tile

    friend bool operator==(const TilePlacement&, const TilePlacement&) = default;
};

class Overlay {
public:
    virtual ~Overlay() = default;
    // Covers the screen, topmost, with a snapshot taken while still hidden, then shows itself and asks for
    // the foreground, which Windows may refuse; notes the window in front either way.
    // While it is shown, Esc and Alt+F4 are its own whatever window keeps the keyboard.
    virtual void Show(OverlayBackground background) = 0;
    // Makes ready, one tick before a scatter may start, what Show would otherwise make at the deciding
    // tick (the snapshot's picture, a screenful of every monitor), so that Show only copies the screen.
    virtual void Prepare() = 0;
    // The overlay and every tile go, and what Prepare made.
    virtual void Hide() = 0;
    // Brings the overlay, still hidden, to the front, for a press of the call key: that press gives
    // the program the right to the foreground on Windows too, until the user's next input, so this
    // comes before anything slow; the overlay shown next keeps it.
    virtual void TakeForeground() = 0;
    // Draws the slot's tile afresh (the path is used for TargetIcon), names it for screen readers,
    // sizes its caption to its one-line text in the monitor's type, and shows both where placed.
    virtual void ShowTile(const TilePlacement& tile) = 0;
    // Whether the user brought another window to the front since the overlay was shown.
    virtual bool UserSwitchedAway() const = 0;
    // Gives the shown tile of that slot the keyboard focus, draws it so and tells screen readers.
    virtual void FocusTile(int slot) = 0;
    // Lets go of Esc and Alt+F4 while the overlay still shows, for a window that
    // must answer to them (the shell's confirmation, an error box).
    virtual void ReleaseKeys() = 0;
};

// What the overlay and its tiles report; the logic behind them decides.
class OverlayEvents {
public:
    virtual ~OverlayEvents() = default;
    virtual void OnOverlayClick() = 0;
    // Alt+F4 or Esc while the overlay is shown.
    virtual void OnOverlayDismiss() = 0;
    // A left click on a tile.
    virtual void OnTileClick(int slot) = 0;
    // Something dropped on a tile from another program.
    virtual void OnTileDrop(int slot, const DroppedData& data) = 0;
    // A key on the tile that has the keyboard.
    virtual void OnTileKey(int slot, TileKey key) = 0;
};

}  // namespace yomorina
