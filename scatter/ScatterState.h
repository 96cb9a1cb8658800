#pragma once
// The main window's private tracking of the pointer between timer ticks.

#include <cstdint>

namespace yomorina {

struct ScatterState {
    std::int32_t lngLastX = 0;
    std::int32_t lngLastY = 0;
    std::int16_t intShakeCount = 0;
    std::int16_t intNextSlot = 0;
    bool blnScattering = false;

    friend bool operator==(const ScatterState&, const ScatterState&) = default;
};

}  // namespace yomorina
