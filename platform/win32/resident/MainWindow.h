#pragma once
// The resident program's window: never shown, it hears the notification icon
// (through its callback window), the timer and the mouse watch, the hot keys,
// the session's notices and a test's queries, and holds the overlay.

#include <windows.h>

#include <optional>

#include "platform/MainWindow.h"
#include "platform/win32/base/BaseWindow.h"
#include "platform/win32/base/TestSeams.h"
#include "platform/win32/overlay/HotKeys.h"
#include "platform/win32/overlay/NoEvents.h"
#include "platform/win32/overlay/OverlayWindow.h"
#include "platform/win32/resident/TestQueries.h"
#include "platform/win32/resident/TrayIcon.h"
#include "platform/win32/resident/Wakeups.h"

namespace yomorina::win32 {

class MainWindow final : public yomorina::MainWindow, public BaseWindow<MainWindow> {
public:
    explicit MainWindow(HINSTANCE instance, ForegroundTaking foreground = ForegroundTaking::Ask,
                        AltReading altReading = nullptr);

    void SetEvents(MainWindowEvents* events);
    HWND TrayCallbackHandle() const { return trayWindow_->Handle(); }

    void Close() override;
    bool HearSessionChanges() override;

    OverlayWindow& ScatterOverlay() { return *overlay_; }
    Wakeups& WakeupSources() { return *wakeups_; }
    CallKeyHolder& CallKey() { return *hotKeys_; }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    void OnDestroyed() noexcept override;
    void OnClosing();

    UINT taskbarCreatedMessage_;
    UINT optionsAsked_;  // from another start of the program
    TestQueries testQueries_;
    MainWindowEvents* events_ = &NoEvents::Instance();
    bool unloaded_ = false;
    bool hearingSessionChanges_ = false;
    std::optional<TrayCallbackWindow> trayWindow_;
    std::optional<Wakeups> wakeups_;
    std::optional<HotKeys> hotKeys_;
    std::optional<OverlayWindow> overlay_;
};

}  // namespace yomorina::win32
