#pragma once
// How dense the screen is where something lands: each monitor has its own
// scale, and a tile takes the scale of the monitor under the pointer.

#include "platform/Pointer.h"

namespace yomorina {

// A rectangle on the screen in pixels; right and bottom lie just outside.
struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

class Monitors {
public:
    virtual ~Monitors() = default;
    // The dots per inch of the monitor that holds the point (or the nearest one).
    virtual int DotsPerInchAt(ScreenPoint point) const = 0;
    // The whole of that monitor.
    virtual ScreenRect AreaAt(ScreenPoint point) const = 0;
};

}  // namespace yomorina
