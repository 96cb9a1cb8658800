#pragma once
// The call key's scatter: every slot a shake would bring out, out at once in
// a compact grid around the pointer.

#include <vector>

#include "core/Model.h"
#include "platform/EntryLookup.h"
#include "platform/Monitors.h"
#include "scatter/ScatterTick.h"

namespace yomorina {

inline constexpr int TileGridColumns = 6;

// Whether the lookup has answered for every entry a scatter asks about.
bool EveryEntryAnswered(const LaunchList& list, const EntryLookup& lookup);

// The slots a shake would bring out (not the empty, the missing or the not yet
// answered ones), in slot order, in rows of at most six: centred on the
// pointer, moved wholly onto the monitor where it does not fit there, at the
// monitor's scale.
std::vector<TilePlacement> PlaceEveryTile(const LaunchList& list, const EntryLookup& lookup, ScreenPoint pointer,
                                          const ScreenRect& monitor, int dotsPerInch);

}  // namespace yomorina
