#pragma once

#include <cstdint>

namespace yomorina {

// A position on the screen in pixels.
struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Where the mouse pointer is now.
class Pointer {
public:
    virtual ~Pointer() = default;
    virtual ScreenPoint Position() = 0;
};

}  // namespace yomorina
