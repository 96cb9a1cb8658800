#pragma once
// A tile of the overlay: a square child window, as large as the scale of its
// monitor asks, that shows its entry's picture on its ground, carries the
// entry's name for screen readers, reports a left click and takes files
// dropped on it; with the keyboard focus it draws a focus rectangle and
// reports its keys. Its caption, the entry's name in one line under it, is a
// sibling in the overlay that the tile places, types and colours.

#include <windows.h>

#include <map>

#include "platform/Overlay.h"
#include "platform/win32/base/BaseWindow.h"
#include "platform/win32/base/Handles.h"
#include "platform/win32/base/PersistentImage.h"
#include "platform/win32/desktop/FileDropTarget.h"
#include "platform/win32/overlay/NoEvents.h"

namespace yomorina::win32 {

// Child-window identifiers, so that tiles and captions can be told apart from outside.
inline constexpr int TileControlId(int slot) { return 1000 + slot; }
inline constexpr int CaptionControlId(int slot) { return 2000 + slot; }

// The captions' type: the font the system uses for its own message texts, at
// the density of each monitor a caption goes to.
class CaptionType {
public:
    CaptionType();
    // Null where the system names no font; the system's density's for a density of 0.
    HFONT At(int dotsPerInch);

private:
    UniqueFont system_;  // at the system's density
    std::map<int, UniqueFont> scaled_;
};

class Tile final : public BaseWindow<Tile> {
public:
    // A tile of slot in the overlay, its caption in type; the caption is made at its first showing.
    Tile(HINSTANCE instance, HWND overlay, int slot, CaptionType& type);

    void SetEvents(OverlayEvents* events) { events_ = &EventsOrNone(events); }

    // Draws the picture afresh (icon, the target's, is drawn for TargetIcon; none
    // leaves it blank), names it, and shows the tile at `at` and its caption at
    // captionAt, in the overlay's client coordinates, above every other tile and
    // below every tile respectively.
    void Show(const TilePlacement& tile, HICON icon, POINT at, POINT captionAt);
    void Hide();

    HWND CaptionHandle() const { return caption_; }
    const PersistentImage& Picture() const { return picture_; }

    // The overlay's WM_CTLCOLORSTATIC for a caption.
    static LRESULT ColourCaption(HDC dc);

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    void DrawPicture(TilePicture picture, HICON icon, int side);
    void ShowCaption(std::string_view text, int dotsPerInch, POINT at);
    void OnKeyDown(WPARAM key, LPARAM flags);

    HINSTANCE instance_;
    HWND overlay_;
    int slot_;
    CaptionType& type_;
    COLORREF ground_;
    int side_ = TileSide;
    OverlayEvents* events_ = &NoEvents::Instance();
    PersistentImage picture_;
    FileDropRegistration drop_;
    bool pressed_ = false;
    HWND caption_ = nullptr;  // a child of the overlay, which destroys it
};

}  // namespace yomorina::win32
