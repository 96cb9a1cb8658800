#pragma once
// A scatter from its first shake or the call key's press to its end, with the
// keyboard's way among the tiles out: it owns where the scatter stands and says
// what the overlay is to do; App carries that out and decides nothing.

#include <optional>
#include <vector>

#include "core/Model.h"
#include "platform/EntryLookup.h"
#include "platform/Monitors.h"
#include "platform/Overlay.h"
#include "platform/Pointer.h"
#include "platform/UserAttention.h"
#include "scatter/ScatterState.h"
#include "scatter/ScatterTick.h"

namespace yomorina {

// What to do after one event, in this order.
struct ScatterSteps {
    bool End = false;                       // the overlay and every tile go
    bool TakeForeground = false;            // before anything slow: the call key's leave is short
    std::optional<int> LookUpAtIconSide;    // the entries' lookup begins, their icons at this side
    bool PrepareOverlay = false;            // the next tick may decide a scatter: its overlay is made ready
    bool LetGoOfOverlay = false;            // the lead-in lapsed: what was made ready goes
    std::optional<OverlayBackground> ShowOverlay;
    std::vector<TilePlacement> Tiles;       // out in this order
    std::optional<int> Focus;               // the slot whose tile takes the keyboard, once it is out
    // Once these are done the machine has more to say: ScatterMachine::FollowUp.
    bool FollowUp = false;
};

class ScatterMachine {
public:
    // What the machine looks at; it changes none of it.
    struct Inputs {
        const Model& model;
        Pointer& pointer;
        const EntryLookup& lookup;
        const Monitors& monitors;
        const UserAttention& attention;
    };

    explicit ScatterMachine(Inputs inputs);

    // Starts afresh, measuring the first tick from where the pointer is now.
    void MeasureFromHere();
    // The next tick measures from where the pointer is then: it went where no tick saw it go.
    void MeasureAfresh() { measureAfresh_ = true; }

    ScatterSteps Tick();
    ScatterSteps CallKey();
    ScatterSteps FollowUp();
    ScatterSteps TileKey(int slot, yomorina::TileKey key) const;
    ScatterSteps End();

    // A scatter is on screen or the call key's is waiting for its answers.
    bool Scattering() const { return state_.scattering || callWaits_ > 0; }
    // The last tick left nothing under way and found the pointer where it was:
    // the ticks after it change nothing until the pointer moves.
    bool StillUntilThePointerMoves() const;
    const ScatterState& State() const { return state_; }

private:
    ScatterSteps BringEveryTileOnceAnswered();
    void BringOut(ScatterSteps& steps, const TilePlacement& tile);

    Inputs in_;
    ScatterState state_;
    bool measureAfresh_ = false;
    bool lastTickStill_ = false;
    bool overlayPrepared_ = false;  // for the next tick, which may decide a scatter
    // Ticks left to wait for the entries' answers before the call key's scatter
    // shows without those still out; 0 when no call waits.
    int callWaits_ = 0;
    // The tiles out on the overlay, in slot order: the keyboard's way among them.
    std::vector<TilePlacement> tilesOut_;
};

}  // namespace yomorina
