#pragma once
// What the overlay's windows report to before the logic is attached and after
// it is gone: messages come from creation to destruction, and go nowhere
// without a check at each.

#include "platform/MainWindow.h"

namespace yomorina::win32 {

class NoMainWindowEvents final : public MainWindowEvents {
public:
    void OnOverlayClick() override {}
    void OnOverlayDismiss() override {}
    void OnClosing() override {}
    void OnTrayEvent(TrayPress) override {}
    void OnTaskbarCreated() override {}
    void OnRetryRefused() override {}
    void OnListReadRetry() override {}
    void OnTick() override {}
    void OnPointerMoved() override {}
    void OnPointerMayHaveJumped() override {}
    void OnOptionsAsked() override {}
    void OnTileClick(int) override {}
    void OnTileDrop(int, const DroppedData&) override {}
    void OnTileKey(int, TileKey) override {}
    void OnCallKey() override {}
};

inline MainWindowEvents& NoEvents() {
    static NoMainWindowEvents none;
    return none;
}

// The logic given, or none.
inline MainWindowEvents& EventsOrNone(MainWindowEvents* events) { return events ? *events : NoEvents(); }

}  // namespace yomorina::win32
