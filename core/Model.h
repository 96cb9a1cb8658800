#pragma once
// The settings and the launch list that the whole program shares for its run.
// Plain data that includes nothing of ours: the platform's interfaces size the
// grid's rows, the tiles and the pattern buttons by it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace yomorina {

// Each member's line in filelist.txt, range, default and control: core/Settings.h.
struct ScatterSettings {
    // A tick is fast when the pointer moved further along either axis; once a
    // scatter is on, further than half of it.
    std::int16_t MoveDistance = 0;
    std::int16_t FastTicksToStart = 0;  // in a row, to start a scatter
    std::int16_t FastTicksPerTile = 0;  // in a row, to bring out each tile
    std::int16_t BackgroundPattern = 0;
    // The key that calls every tile at once, as the key box reports it (core/CallKey.h reads it); 0 for none.
    std::int16_t CallKey = 0;

    friend bool operator==(const ScatterSettings&, const ScatterSettings&) = default;
};

// How the overlay combines the frozen screen with the button-face colour.
enum class OverlayBackground {
    Screen,    // the screen as it is
    Negative,  // screen XOR face
    Light,     // screen OR face
    Dark,      // screen AND NOT face
    Plain,     // no snapshot: the face colour alone
};

// The background patterns the options offer, in the order BackgroundPattern numbers them.
inline constexpr std::array BackgroundPatterns{OverlayBackground::Screen, OverlayBackground::Negative,
                                               OverlayBackground::Light, OverlayBackground::Dark};
inline constexpr int BackgroundPatternCount = static_cast<int>(BackgroundPatterns.size());

inline bool IsBackgroundPattern(int pattern) { return pattern >= 0 && pattern < BackgroundPatternCount; }

struct LaunchEntry {
    std::string Name;
    std::string Path;

    friend bool operator==(const LaunchEntry&, const LaunchEntry&) = default;
};

// The entries of the launch list, each with a tile of its own.
inline constexpr int LaunchSlotCount = 30;
using LaunchList = std::array<LaunchEntry, LaunchSlotCount>;

// The path that marks the recycle-bin entry instead of a file, and the name
// its tick gives it: data, the same whatever language the user reads.
inline constexpr std::string_view RecycleBinPath = "ゴミ箱";

inline bool IsRecycleBinPath(std::string_view path) { return path == RecycleBinPath; }

// Why a call key is not the program's: it types a character in one of the
// user's keyboard layouts, the system uses it, or another program holds it.
enum class CallKeyRefusal { None, TypesACharacter, SystemShortcut, HeldElsewhere };

struct Model {
    ScatterSettings Settings;
    LaunchList List;
    bool OptionsOpen = false;
    // Why the stored call key was not taken when last tried.
    CallKeyRefusal StoredCallKeyRefusal = CallKeyRefusal::None;
};

}  // namespace yomorina
