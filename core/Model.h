#pragma once
// The settings and the launch list that the whole program shares for its run.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Dimensions.h"

namespace yomorina {

struct ScatterSettings {
    std::int16_t MoveDistance = 0;
    std::int16_t LeadInIntensity = 0;
    std::int16_t ScatterIntensity = 0;
    std::int16_t BackgroundPattern = 0;
    // The key that calls every tile at once, as the hot-key control reports it:
    // modifier flags (1 Shift, 2 Ctrl, 4 Alt, 8 extended) x 256 + virtual-key code; 0 for none.
    std::uint16_t CallKey = 0;

    friend bool operator==(const ScatterSettings&, const ScatterSettings&) = default;
};

struct LaunchEntry {
    std::string Name;
    std::string Path;

    friend bool operator==(const LaunchEntry&, const LaunchEntry&) = default;
};

using LaunchList = std::array<LaunchEntry, LaunchSlotCount>;

// The path that marks the recycle-bin entry instead of a file.
// The program's name, as its icon's tip and its main window's title give it.
inline constexpr std::string_view ProgramName = "ヨモリナ";
inline constexpr std::string_view RecycleBinPath = "ゴミ箱";

inline bool IsRecycleBinPath(std::string_view path) { return path == RecycleBinPath; }

struct Model {
    ScatterSettings Settings;
    LaunchList List;
    bool OptionsOpen = false;
};

}  // namespace yomorina
