#pragma once
// When the shake detector can sleep: a tick that leaves nothing under way and
// found the pointer where it was changes nothing at the ticks after it, until
// the pointer moves.

#include "platform/Pointer.h"
#include "scatter/ScatterState.h"

namespace yomorina {

// After a tick that sampled current, with previous the sample before it.
bool NothingUnderWayUntilThePointerMoves(const ScatterState& after, ScreenPoint previous, ScreenPoint current);

}  // namespace yomorina
