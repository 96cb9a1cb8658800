#include "scatter/ScatterMachine.h"

#include <algorithm>

#include "scatter/TileFocus.h"
#include "scatter/TileGrid.h"

namespace yomorina {
namespace {

// The call key's scatter waits this many ticks at most for a share that has
// not answered yet; then that entry is skipped, as a shake skips it.
constexpr int CallPatienceTicks = 5;

int IconSideAt(const Monitors& monitors, ScreenPoint at) {
    return ScaledToDotsPerInch(TileSide, monitors.DotsPerInchAt(at));
}

}  // namespace

ScatterMachine::ScatterMachine(Inputs inputs) : in_(inputs) {}

void ScatterMachine::MeasureFromHere() {
    state_ = ScatterState{};
    overlayPrepared_ = false;
    // From (0, 0) any pointer position would count as a shake, and with a
    // lead-in of 1 the overlay would come up by itself.
    state_.lastSample = in_.pointer.Position();
}

ScatterSteps ScatterMachine::Tick() {
    lastTickStill_ = false;
    if (callWaits_ > 0) {
        // The hand's movement meanwhile is no shake.
        measureAfresh_ = true;
        return BringEveryTileOnceAnswered();
    }
    const ScreenPoint sample = in_.pointer.Position();
    if (measureAfresh_) {
        measureAfresh_ = false;
        state_.lastSample = sample;
    }
    const ScreenPoint previous = state_.lastSample;
    const TickAction action =
        ScatterTick(state_, in_.model.Settings, in_.model.List, sample, in_.lookup, in_.monitors, in_.attention);
    ScatterSteps steps;
    if (action.LookUpEntries) steps.LookUpAtIconSide = IconSideAt(in_.monitors, sample);
    // Made ready one tick ahead, so that the deciding tick only copies the
    // screen: not earlier, as a hand that merely moves fast would have a
    // screenful of every monitor made for nothing, and nothing of it is kept
    // once the lead-in lapses.
    const bool decidingTickNext = !state_.scattering && state_.shakeCount > 0 &&
                                  state_.shakeCount == SettingsInForce(in_.model.Settings).FastTicksToStart - 1;
    steps.PrepareOverlay = decidingTickNext && !overlayPrepared_;
    steps.LetGoOfOverlay = overlayPrepared_ && !decidingTickNext && !action.ShowOverlay;
    overlayPrepared_ = decidingTickNext;
    steps.ShowOverlay = action.ShowOverlay;
    if (action.Tile) BringOut(steps, *action.Tile);
    lastTickStill_ = previous == sample;
    return steps;
}

// A count of zero with no scatter is the start-up state; a still pointer keeps
// it so (a tick within half the distance resets the count).
bool ScatterMachine::StillUntilThePointerMoves() const {
    return lastTickStill_ && !Scattering() && state_.shakeCount == 0;
}

ScatterSteps ScatterMachine::CallKey() {
    if (Scattering()) return End();
    ScatterSteps steps;
    // First of all: Windows' leave to take the foreground lasts only until the
    // user's next input, the key's own release included, and freezing a large
    // screen takes longer than that.
    steps.TakeForeground = true;
    steps.LookUpAtIconSide = IconSideAt(in_.monitors, in_.pointer.Position());
    steps.ShowOverlay = BackgroundForPattern(SettingsInForce(in_.model.Settings).BackgroundPattern);
    // The answers may be in once the lookup has begun and the screen is frozen.
    steps.FollowUp = true;
    state_.scattering = true;
    state_.shakeCount = 0;
    // Every slot has had its turn: a shake brings nothing more.
    state_.nextSlot = LaunchSlotCount;
    callWaits_ = CallPatienceTicks;
    return steps;
}

ScatterSteps ScatterMachine::FollowUp() { return BringEveryTileOnceAnswered(); }

// Waits for answers tick by tick, never on the file system.
ScatterSteps ScatterMachine::BringEveryTileOnceAnswered() {
    ScatterSteps steps;
    if (--callWaits_ > 0 && !EveryEntryAnswered(in_.model.List, in_.lookup)) return steps;
    callWaits_ = 0;
    const ScreenPoint at = in_.pointer.Position();
    for (const TilePlacement& tile :
         PlaceEveryTile(in_.model.List, in_.lookup, at, in_.monitors.AreaAt(at), in_.monitors.DotsPerInchAt(at))) {
        BringOut(steps, tile);
    }
    return steps;
}

void ScatterMachine::BringOut(ScatterSteps& steps, const TilePlacement& tile) {
    steps.Tiles.push_back(tile);
    tilesOut_.push_back(tile);
    // The first tile out has the keyboard, so that Enter opens it at once.
    if (tilesOut_.size() == 1) steps.Focus = tile.Slot;
}

ScatterSteps ScatterMachine::TileKey(int slot, yomorina::TileKey key) const {
    ScatterSteps steps;
    const auto from =
        std::find_if(tilesOut_.begin(), tilesOut_.end(), [&](const TilePlacement& tile) { return tile.Slot == slot; });
    if (from == tilesOut_.end()) return steps;
    steps.Focus = tilesOut_[NextFocus(tilesOut_, static_cast<int>(from - tilesOut_.begin()), key)].Slot;
    return steps;
}

ScatterSteps ScatterMachine::End() {
    state_.scattering = false;
    state_.nextSlot = 0;
    callWaits_ = 0;
    overlayPrepared_ = false;
    tilesOut_.clear();
    ScatterSteps steps;
    steps.End = true;
    return steps;
}

}  // namespace yomorina
