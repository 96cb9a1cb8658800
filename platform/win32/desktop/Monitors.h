#pragma once
// Each monitor's own scale, as the user set it.

#include "platform/Monitors.h"

namespace yomorina::win32 {

class Monitors final : public yomorina::Monitors {
public:
    int DotsPerInchAt(ScreenPoint point) const override;
    ScreenRect AreaAt(ScreenPoint point) const override;
};

}  // namespace yomorina::win32
