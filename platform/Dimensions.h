#pragma once
// The counts and sizes the logic and the windows share, each written once.

namespace yomorina {

// The entries of the launch list, each with a tile of its own.
inline constexpr int LaunchSlotCount = 30;

// The overlay's tiles IC(0..30): one for each slot, then the recycle-bin
// template whose picture the recycle-bin entries copy.
inline constexpr int RecycleBinTemplateTile = LaunchSlotCount;
inline constexpr int TileCount = LaunchSlotCount + 1;

// A tile's side in pixels, at every DPI: the size of the icon it shows.
inline constexpr int TileSide = 32;

// The overlay's background patterns the options offer: 0..3.
inline constexpr int BackgroundPatternCount = 4;

}  // namespace yomorina
