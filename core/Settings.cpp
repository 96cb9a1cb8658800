#include "core/Settings.h"

#include <algorithm>

#include "core/CallKey.h"

namespace yomorina {

std::int16_t HeldToRange(const Setting& setting, int value) {
    return static_cast<std::int16_t>(std::clamp<int>(value, setting.Min, setting.Max));
}

bool Accepts(const Setting& setting, int value) {
    return setting.Control != SettingControl::KeyBox || value == 0 || IsCallKeyCode(value);
}

}  // namespace yomorina
