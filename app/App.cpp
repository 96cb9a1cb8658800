#include "app/App.h"

#include <utility>

#include "core/CallKey.h"

namespace yomorina {

App::App(Services services)
    : model_(services.model),
      window_(services.window),
      overlay_(services.overlay),
      wakeups_(services.wakeups),
      trayIcon_(services.trayIcon),
      listFile_(services.listFile),
      messages_(services.messages),
      lookup_(services.lookup),
      callKey_(services.callKey),
      layouts_(services.layouts),
      showOptions_(std::move(services.showOptions)),
      raiseOptions_(std::move(services.raiseOptions)),
      tileActions_(services.model, [this] { EndScatter(); },
                   [this](const std::function<void()>& call) { rest_.RunBlocking(call); }, services.shell,
                   services.overlay, services.recycleBin, services.messages),
      scatter_({services.model, services.pointer, services.lookup, services.monitors, services.attention}),
      rest_(services.wakeups),
      refused_(services.trayIcon, services.window, services.wakeups),
      rereads_(services.model, services.listFile, services.wakeups, rest_, [this] { HoldCallKey(); }) {}

void App::Start() {
    EndScatter();
    model_.OptionsOpen = false;
    if (const auto notice = listFile_.Load(model_)) messages_.Show(notice->text, notice->title, MessageButtons::Ok);
    refused_.IconGone();
    AskForWhatWasRefused();
    // A key another program holds is no reason to bother the user at start-up.
    HoldCallKey();
    // The first tick measures from here, once any start-up message is gone.
    scatter_.MeasureFromHere();
    // Only now, so that no tick sees a half-loaded list.
    wakeups_.Start();
}

void App::OnClosing() {
    trayIcon_.Remove();
}

void App::OnOverlayClick() { EndScatter(); }

// A user closing a frozen screen wants the screen back, not the launcher gone:
// ending the program is the options dialog's question alone.
void App::OnOverlayDismiss() { EndScatter(); }

void App::OnTrayEvent(TrayPress press) {
    // A hand on the mouse the watch did not report (the system drops a hook
    // that once answered too slowly): the ticks take over again.
    rest_.WakeUp();
    if (press != TrayPress::LeftButtonDown && press != TrayPress::RightButtonDown) return;
    if (model_.OptionsOpen) return;
    OpenOptions();
}

// A user who cannot find the icon (Windows 11 hides new ones in the overflow)
// starts the program again.
void App::OnOptionsAsked() {
    rest_.WakeUp();
    if (model_.OptionsOpen) {
        raiseOptions_();
        return;
    }
    OpenOptions();
}

void App::OpenOptions() {
    EndScatter();
    model_.OptionsOpen = true;
    // Let go while the dialog is open: the key does nothing then, and the
    // dialog's key box can be given the very same combination.
    HoldCallKey();
    // No tick samples while the dialog is open; the pointer's way there and
    // back is no shake.
    scatter_.MeasureAfresh();
    showOptions_();
}

void App::OnTaskbarCreated() {
    // The shell lost every icon when it restarted.
    refused_.IconGone();
    AskForWhatWasRefused();
}

void App::OnRetryRefused() { AskForWhatWasRefused(); }

void App::AskForWhatWasRefused() {
    // The shell may keep the call waiting while it starts; no mouse on the
    // desktop may wait with it on a hook of ours.
    rest_.WakeUp();
    refused_.AskForWhatWasRefused();
}

void App::HoldCallKey() { HoldStoredCallKey(model_, callKey_, layouts_); }

void App::OnTick() { Tick(false); }

// The first movement after a rest is sampled at once, from the last sample as
// any tick is; from then on the timer samples, and a fast mouse's reports
// would only be noise.
void App::OnPointerMoved() {
    if (!rest_.Resting()) return;  // reports queued before the watch stopped
    rest_.WakeUp();
    Tick(true);
}

void App::OnPointerMayHaveJumped() {
    scatter_.MeasureAfresh();
    // The watch may have been dropped meanwhile; the ticks set it afresh once the pointer rests.
    rest_.WakeUp();
}

void App::Tick(bool woken) {
    // The options dialog owns the list while it is open; the pointer is not even looked at.
    if (model_.OptionsOpen) return;
    // Not at the scatter's end: a click on a tile reads its entry after that.
    if (!scatter_.Scattering()) rereads_.AfterScatter();
    Carry(scatter_.Tick());
    // Asked only now, after the overlay has shown and noted the window in front.
    if (scatter_.State().scattering && overlay_.UserSwitchedAway()) EndScatter();
    if (scatter_.StillUntilThePointerMoves()) rest_.AfterStillTick(woken);
}

void App::Carry(const ScatterSteps& steps) {
    if (steps.End || steps.LetGoOfOverlay) overlay_.Hide();
    if (steps.TakeForeground) overlay_.TakeForeground();
    if (steps.LookUpAtIconSide) lookup_.Begin(EntriesToLookUp(model_.List), *steps.LookUpAtIconSide);
    if (steps.PrepareOverlay) overlay_.Prepare();
    if (steps.ShowOverlay) overlay_.Show(*steps.ShowOverlay);
    for (const TilePlacement& tile : steps.Tiles) {
        overlay_.ShowTile(tile);
        if (steps.Focus == tile.Slot) overlay_.FocusTile(tile.Slot);
    }
    if (steps.Focus && steps.Tiles.empty()) overlay_.FocusTile(*steps.Focus);
    if (steps.FollowUp) Carry(scatter_.FollowUp());
}

void App::OnListFileChanged() { rereads_.Changed(scatter_.State().scattering); }

void App::OnListReadRetry() { rereads_.Retry(scatter_.State().scattering); }

void App::OnTileKey(int slot, TileKey key) {
    if (key == TileKey::Open) {
        OnTileClick(slot);
        return;
    }
    Carry(scatter_.TileKey(slot, key));
}

void App::OnCallKey() {
    rest_.WakeUp();
    // Released while the dialog is open; a press queued before that does nothing either.
    if (model_.OptionsOpen) return;
    Carry(scatter_.CallKey());
}

void App::OnTileClick(int slot) { tileActions_.OnTileClick(slot); }

void App::OnTileDrop(int slot, const DroppedData& data) { tileActions_.OnTileDrop(slot, data); }

void App::EndScatter() { Carry(scatter_.End()); }

}  // namespace yomorina
