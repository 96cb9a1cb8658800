#include "scatter/TickPace.h"

namespace yomorina {

// A count of zero with no scatter is the start-up state; a still pointer keeps
// it so (a tick within half the distance resets the count), and the sample it
// stores is the one already stored.
bool NothingUnderWayUntilThePointerMoves(const ScatterState& after, ScreenPoint previous, ScreenPoint current) {
    return !after.scattering && after.shakeCount == 0 && previous == current;
}

}  // namespace yomorina
