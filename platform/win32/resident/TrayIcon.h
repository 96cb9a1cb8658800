#pragma once

#include <windows.h>

#include "platform/MainWindow.h"
#include "platform/TrayIcon.h"
#include "platform/win32/base/BaseWindow.h"
#include "platform/win32/base/Handles.h"
#include "platform/win32/overlay/NoEvents.h"

namespace yomorina::win32 {

// The icon reports its mouse events to its callback window as this message, with the
// mouse message (WM_LBUTTONDOWN, WM_RBUTTONDOWN, ...) in lParam. It is
// WM_MOUSEMOVE (0x200) so that the callback window receives the icon's events as mouse
// moves of its own, with lParam 0x201 for a left and 0x204 for a right press.
inline constexpr UINT TrayCallbackMessage = WM_MOUSEMOVE;
inline constexpr UINT TrayIconId = 1;

// What an icon event's lParam means to the program.
TrayPress TrayPressFromCallback(LPARAM lParam);

class TrayIcon final : public yomorina::TrayIcon {
public:
    // callbackWindow receives TrayCallbackMessage with the mouse message in lParam.
    TrayIcon(HWND callbackWindow, HINSTANCE instance);
    bool Add(std::string_view tip) override;
    void Remove() override;

private:
    HWND callbackWindow_;
    HINSTANCE instance_;
    UniqueIcon icon_;  // the one shown
};

// Receives the notification icon's callback; it is never shown, so no real
// mouse message can be mistaken for one.
class TrayCallbackWindow final : public BaseWindow<TrayCallbackWindow> {
public:
    TrayCallbackWindow(HINSTANCE instance, HWND parent);
    void SetEvents(MainWindowEvents* events) { events_ = &EventsOrNone(events); }
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    MainWindowEvents* events_ = &NoEvents::Instance();
};

}  // namespace yomorina::win32
