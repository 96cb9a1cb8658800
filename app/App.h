#pragma once
// The resident program: start-up, the notification icon, the timer, the call
// key and going away. It routes each event to the part that owns it and
// carries out what that part says; the window itself stays hidden except as
// the overlay.

#include <functional>

#include "core/ListFile.h"
#include "core/Model.h"
#include "platform/CallKey.h"
#include "platform/EntryLookup.h"
#include "platform/KeyboardLayouts.h"
#include "platform/MainWindow.h"
#include "platform/MessageBoxes.h"
#include "platform/Monitors.h"
#include "platform/Overlay.h"
#include "platform/Pointer.h"
#include "platform/RecycleBin.h"
#include "platform/Shell.h"
#include "platform/Wakeups.h"
#include "platform/TrayIcon.h"
#include "platform/UserAttention.h"
#include "app/ListRereads.h"
#include "app/RefusedRequests.h"
#include "app/TickRest.h"
#include "scatter/ScatterMachine.h"
#include "scatter/TileActions.h"

namespace yomorina {

class App final : public MainWindowEvents, public OverlayEvents {
public:
    // What App works with for the whole run.
    struct Services {
        Model& model;
        MainWindow& window;
        Overlay& overlay;
        Wakeups& wakeups;
        TrayIcon& trayIcon;
        ListFile& listFile;
        MessageBoxes& messages;
        Pointer& pointer;
        const Monitors& monitors;
        EntryLookup& lookup;  // whether the entries exist, answered away from the ticks
        const UserAttention& attention;  // whether a full-screen program is in front
        Shell& shell;
        RecycleBin& recycleBin;
        CallKeyHolder& callKey;
        const KeyboardLayouts& layouts;  // a stored call key that types a character is not taken
        std::function<void()> showOptions;  // opens the options dialog
        std::function<void()> raiseOptions;  // brings the open options dialog to the front
    };

    explicit App(Services services);
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    void Start();
    void OnClosing() override;
    void OnTrayEvent(TrayPress press) override;
    void OnTaskbarCreated() override;
    void OnRetryRefused() override;
    void OnListReadRetry() override;
    void OnTick() override;
    void OnPointerMoved() override;
    void OnPointerMayHaveJumped() override;
    void OnOptionsAsked() override;
    void OnCallKey() override;

    void OnOverlayClick() override;
    void OnOverlayDismiss() override;
    void OnTileClick(int slot) override;
    void OnTileDrop(int slot, const DroppedData& data) override;
    void OnTileKey(int slot, TileKey key) override;

    // Something changed in the list file's folder.
    void OnListFileChanged();

    void EndScatter();

    const ScatterState& CurrentScatterState() const { return scatter_.State(); }

private:
    void Tick(bool woken);
    void Carry(const ScatterSteps& steps);
    void OpenOptions();
    void AskForWhatWasRefused();
    // The key of the list in force, except while the options dialog is open.
    void HoldCallKey();

    Model& model_;
    MainWindow& window_;
    Overlay& overlay_;
    Wakeups& wakeups_;
    TrayIcon& trayIcon_;
    ListFile& listFile_;
    MessageBoxes& messages_;
    EntryLookup& lookup_;
    CallKeyHolder& callKey_;
    const KeyboardLayouts& layouts_;
    std::function<void()> showOptions_;
    std::function<void()> raiseOptions_;
    // What clicks and drops on the tiles do; they end a scatter through EndScatter.
    TileActions tileActions_;
    ScatterMachine scatter_;
    TickRest rest_;
    RefusedRequests refused_;
    ListRereads rereads_;
};

}  // namespace yomorina
