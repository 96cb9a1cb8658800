#pragma once
// What the program's windows report to before the logic is attached and after
// it is gone: messages come from creation to destruction, and go nowhere
// without a check at each.

#include "platform/MainWindow.h"
#include "platform/Overlay.h"

namespace yomorina::win32 {

class NoEvents final : public MainWindowEvents, public OverlayEvents {
public:
    void OnClosing() override {}
    void OnTrayEvent(TrayPress) override {}
    void OnTaskbarCreated() override {}
    void OnRetryRefused() override {}
    void OnListReadRetry() override {}
    void OnTick() override {}
    void OnPointerMoved() override {}
    void OnPointerMayHaveJumped() override {}
    void OnOptionsAsked() override {}
    void OnCallKey() override {}
    void OnOverlayClick() override {}
    void OnOverlayDismiss() override {}
    void OnTileClick(int) override {}
    void OnTileDrop(int, const DroppedData&) override {}
    void OnTileKey(int, TileKey) override {}

    static NoEvents& Instance() {
        static NoEvents none;
        return none;
    }
};

// The logic given, or none.
template <typename Events>
Events& EventsOrNone(Events* events) {
    return events ? *events : NoEvents::Instance();
}

}  // namespace yomorina::win32
