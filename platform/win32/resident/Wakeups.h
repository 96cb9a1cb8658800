#pragma once
// The program's tick and what wakes it while the pointer rests, both on the
// main window so that they arrive in its message loop.

#include <windows.h>

#include "platform/MainWindow.h"
#include "platform/Wakeups.h"
#include "platform/win32/base/TestSeams.h"
#include "platform/win32/resident/MouseWatch.h"

namespace yomorina::win32 {

class Wakeups final : public yomorina::Wakeups {
public:
    explicit Wakeups(HWND window) : window_(window), mouseWatch_(window) {}

    void Start() override;
    void Stop() override;
    bool WatchForMovement() override;
    void StopWatching() override;
    void RetryRefused(bool on) override;
    void RetryListRead(bool on) override;

    // The window's WM_TIMER and WM_INPUT.
    void OnTimer(WPARAM id, MainWindowEvents& events);
    void Hear(HRAWINPUT input) { mouseWatch_.Hear(input); }
    const MouseWatch& Watch() const { return mouseWatch_; }

    TickCount Ticks() const { return ticks_; }

private:
    HWND window_;
    MouseWatch mouseWatch_;
    TickCount ticks_;
};

}  // namespace yomorina::win32
