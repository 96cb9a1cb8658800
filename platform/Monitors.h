#pragma once
// How dense the screen is where something lands: each monitor has its own
// scale, and a tile takes the scale of the monitor under the pointer.

#include "platform/Pointer.h"

namespace yomorina {

class Monitors {
public:
    virtual ~Monitors() = default;
    // The dots per inch of the monitor that holds the point (or the nearest one).
    virtual int DotsPerInchAt(ScreenPoint point) const = 0;
};

}  // namespace yomorina
