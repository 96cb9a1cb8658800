#pragma once
// What the system may refuse early in a sign-in, asked for again every few
// seconds until it is taken: without the notification icon the program could
// be neither configured nor ended, and without the session's notices the ticks
// would measure across an unlock.

#include "platform/MainWindow.h"
#include "platform/Wakeups.h"
#include "platform/TrayIcon.h"

namespace yomorina {

class RefusedRequests {
public:
    RefusedRequests(TrayIcon& trayIcon, MainWindow& window, Wakeups& wakeups)
        : trayIcon_(trayIcon), window_(window), wakeups_(wakeups) {}

    // The icon is to be added afresh: at start-up, or after the shell lost every icon.
    void IconGone() { iconShown_ = false; }
    void AskForWhatWasRefused();

private:
    TrayIcon& trayIcon_;
    MainWindow& window_;
    Wakeups& wakeups_;
    bool iconShown_ = false;
    bool hearingSessionChanges_ = false;
};

}  // namespace yomorina
