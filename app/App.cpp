#include "app/App.h"

#include <algorithm>
#include <utility>

#include "core/CallKey.h"
#include "core/Texts.h"
#include "scatter/ScatterTick.h"
#include "scatter/TickPace.h"
#include "scatter/TileFocus.h"
#include "scatter/TileGrid.h"

namespace yomorina {
namespace {

// The call key's scatter waits this many ticks at most for a share that has
// not answered yet; then that entry is skipped, as a shake skips it.
constexpr int CallPatienceTicks = 5;
// A list file held for a moment (an editor's save, a sync tool) is read again
// this many times, at the timer's retry pace, before the next change is waited for.
constexpr int ListRereadTries = 4;

}  // namespace

App::App(Services services)
    : model_(services.model),
      window_(services.window),
      timer_(services.timer),
      trayIcon_(services.trayIcon),
      listFile_(services.listFile),
      messages_(services.messages),
      pointer_(services.pointer),
      monitors_(services.monitors),
      lookup_(services.lookup),
      attention_(services.attention),
      callKey_(services.callKey),
      layouts_(services.layouts),
      showOptions_(std::move(services.showOptions)),
      raiseOptions_(std::move(services.raiseOptions)),
      tileActions_(services.model, [this] { EndScatter(); },
                   [this](const std::function<void()>& call) { RunBlocking(call); }, services.shell, services.window,
                   services.recycleBin, services.messages) {}

void App::Start() {
    EndScatter();
    state_ = ScatterState{};
    model_.OptionsOpen = false;
    if (const auto notice = listFile_.Load(model_)) messages_.Show(notice->text, notice->title, MessageButtons::Ok);
    iconShown_ = false;
    AskForWhatWasRefused();
    // A key another program holds is no reason to bother the user at start-up.
    HoldCallKey();
    // The first tick measures from here, once any start-up message is gone: from
    // (0, 0) any pointer position would count as a shake, and with a lead-in of 1
    // the overlay would come up by itself.
    state_.lastSample = pointer_.Position();
    // Only now, so that no tick sees a half-loaded list.
    timer_.Start();
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
    WakeUp();
    if (press != TrayPress::LeftButtonDown && press != TrayPress::RightButtonDown) return;
    if (model_.OptionsOpen) return;
    OpenOptions();
}

// A user who cannot find the icon (Windows 11 hides new ones in the overflow)
// starts the program again.
void App::OnOptionsAsked() {
    WakeUp();
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
    measureAfresh_ = true;
    showOptions_();
}

void App::OnTaskbarCreated() {
    // The shell lost every icon when it restarted.
    iconShown_ = false;
    AskForWhatWasRefused();
}

void App::OnRetryRefused() { AskForWhatWasRefused(); }

// Without the icon the program could be neither configured nor ended, and
// without the session's notices the ticks would measure across an unlock; at
// sign-in the shell and the session service may refuse both for a while.
void App::AskForWhatWasRefused() {
    // The shell may keep the call waiting while it starts; no mouse on the
    // desktop may wait with it on a hook of ours.
    WakeUp();
    // The tip is the program's name.
    if (!iconShown_) iconShown_ = trayIcon_.Add(Text(TextId::ProgramName));
    if (!hearingSessionChanges_) hearingSessionChanges_ = window_.HearSessionChanges();
    timer_.RetryRefused(!iconShown_ || !hearingSessionChanges_);
}

void App::HoldCallKey() { HoldStoredCallKey(model_, callKey_, layouts_); }

void App::OnTick() { Tick(false); }

// The first movement after a rest is sampled at once, from the last sample as
// any tick is; from then on the timer samples, and a fast mouse's reports
// would only be noise.
void App::OnPointerMoved() {
    if (!watching_) return;  // reports queued before the watch stopped
    WakeUp();
    Tick(true);
}

void App::OnPointerMayHaveJumped() {
    measureAfresh_ = true;
    // The watch may have been dropped meanwhile; the ticks set it afresh once the pointer rests.
    WakeUp();
}

void App::WakeUp() {
    if (!watching_) return;
    watching_ = false;
    timer_.StopWatching();
    timer_.Start();
}

void App::Tick(bool woken) {
    // The options dialog owns the list while it is open; the pointer is not even looked at.
    if (model_.OptionsOpen) return;
    if (callWaits_ > 0) {
        BringEveryTileOnceAnswered();
        // The hand's movement meanwhile is no shake; the timer runs on.
        measureAfresh_ = true;
        return;
    }
    // Not at the scatter's end: a click on a tile reads its entry after that.
    if (!state_.scattering && std::exchange(reloadAfterScatter_, false)) RereadListFile();
    const ScreenPoint sample = pointer_.Position();
    if (measureAfresh_) {
        measureAfresh_ = false;
        state_.lastSample = sample;
    }
    const ScreenPoint previous = state_.lastSample;
    const TickAction action = ScatterTick(state_, model_.Settings, model_.List, sample, lookup_, monitors_, attention_);
    if (action.LookUpEntries) {
        lookup_.Begin(EntriesToLookUp(model_.List), ScaledToDotsPerInch(TileSide, monitors_.DotsPerInchAt(sample)));
    }
    if (action.ShowOverlay) window_.ShowOverlay(*action.ShowOverlay);
    if (action.Tile) ShowTileOut(*action.Tile);
    // Asked only now, after the overlay has shown and noted the window in front.
    if (state_.scattering && window_.UserSwitchedAway()) EndScatter();
    SleepIfNothingCanHappen(previous, sample, woken);
}

void App::SleepIfNothingCanHappen(ScreenPoint previous, ScreenPoint sample, bool woken) {
    if (!NothingUnderWayUntilThePointerMoves(state_, previous, sample)) return;
    // A tick from inside a call that may wait (the shell's modal loop) keeps sampling.
    if (blockingCalls_ > 0) return;
    // A report from a pointer that did not move (one pushed against the
    // screen's edge reports movement all the time) gets a full period before
    // the next watch.
    if (woken) return;
    // Where the reports would miss some moves the timer samples as it always did.
    if (!timer_.WatchForMovement()) return;
    watching_ = true;
    timer_.Stop();
}

void App::OnListFileChanged() {
    rereadsLeft_ = ListRereadTries;
    RereadListFile();
}

void App::OnListReadRetry() { RereadListFile(); }

void App::RereadListFile() {
    timer_.RetryListRead(false);
    // The dialog reads the file itself when it closes.
    if (model_.OptionsOpen) return;
    // The tiles on screen open the entries they were dropped for.
    if (state_.scattering) {
        reloadAfterScatter_ = true;
        return;
    }
    // One try at a time, never waiting for a file another program holds; a
    // cloud placeholder is still downloaded while it is read.
    ReloadOutcome outcome = ReloadOutcome::Unchanged;
    RunBlocking([&] { outcome = listFile_.ReloadIfChanged(model_); });
    if (outcome == ReloadOutcome::Taken) HoldCallKey();
    if (outcome == ReloadOutcome::NotReadable && rereadsLeft_-- > 0) timer_.RetryListRead(true);
}

void App::ShowTileOut(const TilePlacement& tile) {
    window_.ShowTile(tile.Slot, tile.Left, tile.Top, tile.Side, tile.Picture, tile.Path, tile.AccessibleName);
    window_.ShowCaption(tile.Slot, tile.CaptionLeft, tile.CaptionTop, tile.Name, tile.DotsPerInch);
    tilesOut_.push_back(tile);
    // The first tile out has the keyboard, so that Enter opens it at once.
    if (tilesOut_.size() == 1) window_.FocusTile(tile.Slot);
}

void App::OnTileKey(int index, TileKey key) {
    if (key == TileKey::Open) {
        OnTileClick(index);
        return;
    }
    const auto from = std::find_if(tilesOut_.begin(), tilesOut_.end(), [&](const TilePlacement& tile) { return tile.Slot == index; });
    if (from == tilesOut_.end()) return;
    const int to = NextFocus(tilesOut_, static_cast<int>(from - tilesOut_.begin()), key);
    window_.FocusTile(tilesOut_[to].Slot);
}

void App::OnCallKey() {
    WakeUp();
    // Released while the dialog is open; a press queued before that does nothing either.
    if (model_.OptionsOpen) return;
    if (state_.scattering || callWaits_ > 0) {
        EndScatter();
        return;
    }
    // First of all: Windows' leave to take the foreground lasts only until the
    // user's next input, the key's own release included, and freezing a large
    // screen takes longer than that.
    window_.TakeForeground();
    const ScreenPoint at = pointer_.Position();
    lookup_.Begin(EntriesToLookUp(model_.List), ScaledToDotsPerInch(TileSide, monitors_.DotsPerInchAt(at)));
    window_.ShowOverlay(BackgroundForPattern(SettingsInForce(model_.Settings).BackgroundPattern));
    state_.scattering = true;
    state_.shakeCount = 0;
    // Every slot has had its turn: a shake brings nothing more.
    state_.nextSlot = LaunchSlotCount;
    callWaits_ = CallPatienceTicks;
    BringEveryTileOnceAnswered();
}

// Waits for answers from the message loop, tick by tick, never on the file system.
void App::BringEveryTileOnceAnswered() {
    if (--callWaits_ > 0 && !EveryEntryAnswered(model_.List, lookup_)) return;
    callWaits_ = 0;
    const ScreenPoint at = pointer_.Position();
    const auto tiles = PlaceEveryTile(model_.List, lookup_, at, monitors_.AreaAt(at), monitors_.DotsPerInchAt(at));
    for (const TilePlacement& tile : tiles) ShowTileOut(tile);
}

// Windows silently drops a hook that once answers late, and until then every
// mouse on the desktop waits on this thread: the watch is down for the call.
// A program at rest stays at rest: a change beside the list is no reason to tick.
void App::RunBlocking(const std::function<void()>& call) {
    if (watching_) timer_.StopWatching();
    ++blockingCalls_;
    {
        const struct Leave {
            int& calls;
            ~Leave() { --calls; }
        } leave{blockingCalls_};
        call();
    }
    // Nothing woke the program meanwhile; where the watch cannot be set again, the timer samples.
    if (watching_ && blockingCalls_ == 0 && !timer_.WatchForMovement()) {
        watching_ = false;
        timer_.Start();
    }
}

void App::OnTileClick(int index) { tileActions_.OnTileClick(index); }

void App::OnTileDrop(int index, const DroppedData& data) { tileActions_.OnTileDrop(index, data); }

void App::EndScatter() {
    window_.Hide();
    for (int i = 0; i < TileCount; ++i) {
        window_.HideTile(i);
        window_.HideCaption(i);
    }
    state_.scattering = false;
    state_.nextSlot = 0;
    callWaits_ = 0;
    tilesOut_.clear();
}

}  // namespace yomorina
