#pragma once
// One tick of the pointer-shake detector: from the pointer's new position and
// the tracking state it decides whether a scatter starts and which slot comes
// out where. It only decides; ScatterMachine carries the decision on.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Model.h"
#include "platform/Dimensions.h"
#include "platform/EntryLookup.h"
#include "platform/Monitors.h"
#include "platform/Overlay.h"
#include "platform/Pointer.h"
#include "platform/UserAttention.h"
#include "scatter/ScatterState.h"

namespace yomorina {

inline constexpr int LastSlot = LaunchSlotCount - 1;

struct TickAction {
    std::optional<OverlayBackground> ShowOverlay;  // the scatter starts on this tick
    std::optional<TilePlacement> Tile;             // a slot brings out its tile on this tick
    bool LookUpEntries = false;                    // a lead-in begins: its scatter will want the entries' answers
};

// The settings the gesture works with, each held to its range: a distance of 0
// would make every tick fast, a count of 0 would never be reached.
ScatterSettings SettingsInForce(const ScatterSettings& settings);

// A number that is no pattern of the options dialog shows the face colour alone.
OverlayBackground BackgroundForPattern(std::int16_t pattern);

// The paths a scatter asks the file system about: not the empty slots, not the recycle bin.
std::vector<std::string> EntriesToLookUp(const LaunchList& list);

// Where slot's tile lands, judged from the previous and the current pointer
// sample; nothing when the slot is empty or its target is not found, or not
// yet known to be there (its turn is not held up for a slow share). The tile,
// and how far behind the pointer it lands, take the scale of the monitor
// (dotsPerInch); the dead zone stays in pointer pixels, as the pointer's
// own movement does not scale.
std::optional<TilePlacement> PlaceTile(int slot, const LaunchEntry& entry, ScreenPoint previous, ScreenPoint current,
                                       const EntryLookup& lookup, int dotsPerInch = StandardDotsPerInch);

// Counts the tick as a shake or not, starts a scatter or brings out the next
// slot, and records the sample for the next tick. No scatter starts over a
// full-screen program; attention is asked only on the tick that would start one,
// and the monitor under the pointer only when a tile comes out.
TickAction ScatterTick(ScatterState& state, const ScatterSettings& settings, const LaunchList& list,
                       ScreenPoint pointer, const EntryLookup& lookup, const Monitors& monitors,
                       const UserAttention& attention);

}  // namespace yomorina
