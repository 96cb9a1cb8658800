#pragma once
// The resident program's own window: never shown, it hears the notification
// icon, the timer, the hot keys and the session's notices, and its closing
// ends the program.

#include "platform/TrayIcon.h"

namespace yomorina {

class MainWindow {
public:
    virtual ~MainWindow() = default;
    virtual void Close() = 0;
    // Asks to hear of the session's unlocks and reconnections
    // (MainWindowEvents::OnPointerMayHaveJumped); false while the system does
    // not take the request yet, as early in a sign-in.
    virtual bool HearSessionChanges() = 0;
};

// What the main window reports; the logic behind it decides.
class MainWindowEvents {
public:
    virtual ~MainWindowEvents() = default;
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
    // The call key was pressed, whatever program is in front.
    virtual void OnCallKey() = 0;
};

}  // namespace yomorina
