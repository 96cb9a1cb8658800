#pragma once
// A tile of the overlay: a square child window, as large as the scale of
// its monitor asks, that shows its persistent picture, carries its entry's name
// for screen readers, reports a left click and takes files dropped on it.
// With the keyboard focus it draws a focus rectangle and reports its keys.

#include <windows.h>

#include <string_view>

#include "platform/MainWindow.h"
#include "platform/win32/base/BaseWindow.h"
#include "platform/win32/base/PersistentImage.h"
#include "platform/win32/desktop/FileDropTarget.h"
#include "platform/win32/overlay/NoEvents.h"

namespace yomorina::win32 {

// Child-window identifiers, so that tiles and captions can be told apart from outside.
inline constexpr int TileControlId(int index) { return 1000 + index; }
inline constexpr int CaptionControlId(int index) { return 2000 + index; }

class TileWindow final : public BaseWindow<TileWindow> {
public:
    // backgroundColourIndex is the system colour the picture is cleared to.
    TileWindow(HINSTANCE instance, HWND parent, int index, int backgroundColourIndex);

    void SetEvents(MainWindowEvents* events) { events_ = &EventsOrNone(events); }

    // Clears the picture to side x side and draws the icon into it; no icon leaves it blank.
    void DrawIconPicture(HICON icon, int side);
    void CopyPictureFrom(const TileWindow& other);
    // The picture's side in pixels.
    int Side() const { return side_; }
    // The name screen readers announce; nothing shows it.
    void SetAccessibleName(std::string_view name);
    // At the picture's size, above every other tile and caption.
    void MoveAndShow(int left, int top);
    void Hide();

    const PersistentImage& Picture() const { return picture_; }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    void ClearPicture();
    void OnKeyDown(WPARAM key, LPARAM flags);

    int index_;
    int backgroundColourIndex_;
    int side_ = TileSide;
    MainWindowEvents* events_ = &NoEvents();
    PersistentImage picture_;
    FileDropRegistration drop_;
    bool pressed_ = false;
};

}  // namespace yomorina::win32
