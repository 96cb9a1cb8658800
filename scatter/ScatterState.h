#pragma once
// Where the shake detector stands between timer ticks: ScatterMachine keeps
// it, ScatterTick moves it on.

#include <cstdint>

#include "platform/Pointer.h"

namespace yomorina {

struct ScatterState {
    ScreenPoint lastSample;
    std::int16_t shakeCount = 0;
    std::int16_t nextSlot = 0;
    bool scattering = false;

    friend bool operator==(const ScatterState&, const ScatterState&) = default;
};

}  // namespace yomorina
