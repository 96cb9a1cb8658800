#include "scatter/ScatterTick.h"

#include <algorithm>
#include <cstdlib>

#include "core/Settings.h"
#include "core/Texts.h"

namespace yomorina {
namespace {

constexpr int DeadZone = 20;
constexpr int TileOffset = 64;
constexpr int RecycleBinOffset = 32;

// +1 when the pointer came from the right (or from below), so the tile lands
// behind it; 0 for a sideways wobble inside the dead zone.
int DirectionWithDeadZone(std::int64_t previous, std::int64_t current) {
    if (previous > current + DeadZone) return 1;
    if (previous < current - DeadZone) return -1;
    return 0;
}

// The recycle bin never sits on the pointer: no movement counts as forwards.
int RecycleBinDirection(std::int64_t previous, std::int64_t current) { return previous > current ? 1 : -1; }

}  // namespace

ScatterSettings SettingsInForce(const ScatterSettings& settings) {
    ScatterSettings inForce = settings;
    for (const Setting& setting : Settings) {
        if (setting.Control == SettingControl::Slider) inForce.*setting.Member = HeldToRange(setting, settings.*setting.Member);
    }
    return inForce;
}

OverlayBackground BackgroundForPattern(std::int16_t pattern) {
    return IsBackgroundPattern(pattern) ? BackgroundPatterns[pattern] : OverlayBackground::Plain;
}

std::vector<std::string> EntriesToLookUp(const LaunchList& list) {
    std::vector<std::string> paths;
    for (const LaunchEntry& entry : list) {
        if (!entry.Path.empty() && !IsRecycleBinPath(entry.Path)) paths.push_back(entry.Path);
    }
    return paths;
}

std::optional<TilePlacement> PlaceTile(int slot, const LaunchEntry& entry, ScreenPoint previous, ScreenPoint current,
                                       const EntryLookup& lookup, int dotsPerInch) {
    TilePlacement placement;
    int directionX = 0;
    int directionY = 0;
    int offset = 0;
    if (IsRecycleBinPath(entry.Path)) {
        placement.Picture = TilePicture::RecycleBin;
        directionX = RecycleBinDirection(previous.x, current.x);
        directionY = RecycleBinDirection(previous.y, current.y);
        offset = RecycleBinOffset;
    } else if (entry.Path.empty() || lookup.Answer(entry.Path) != EntryAnswer::Found) {
        return std::nullopt;
    } else {
        placement.Picture = TilePicture::TargetIcon;
        directionX = DirectionWithDeadZone(previous.x, current.x);
        directionY = DirectionWithDeadZone(previous.y, current.y);
        offset = TileOffset;
    }
    const int side = ScaledToDotsPerInch(TileSide, dotsPerInch);
    offset = ScaledToDotsPerInch(offset, dotsPerInch);
    placement.Slot = slot;
    placement.Side = side;
    placement.DotsPerInch = dotsPerInch;
    placement.Left = current.x - side / 2 + offset * directionX;
    placement.Top = current.y - side / 2 + offset * directionY;
    placement.CaptionLeft = placement.Left;
    placement.CaptionTop = placement.Top + side;
    placement.Path = entry.Path;
    // The recycle bin is announced, and shown under the name its tick stores, in the user's language.
    const bool isRecycleBin = placement.Picture == TilePicture::RecycleBin;
    const std::string recycleBinName(Text(TextId::RecycleBinCaption));
    placement.Name = isRecycleBin && entry.Name == RecycleBinPath ? recycleBinName : entry.Name;
    placement.AccessibleName = isRecycleBin ? recycleBinName : entry.Name;
    return placement;
}

TickAction ScatterTick(ScatterState& state, const ScatterSettings& settings, const LaunchList& list,
                       ScreenPoint pointer, const EntryLookup& lookup, const Monitors& monitors,
                       const UserAttention& attention) {
    const ScatterSettings inForce = SettingsInForce(settings);
    const ScreenPoint previous = state.lastSample;
    const std::int64_t dx = std::llabs(std::int64_t{pointer.x} - previous.x);
    const std::int64_t dy = std::llabs(std::int64_t{pointer.y} - previous.y);
    TickAction action;

    const bool fast = dx > inForce.MoveDistance || dy > inForce.MoveDistance;
    if (fast && !state.scattering) {
        ++state.shakeCount;
        // Asked at the lead-in's first tick, the answers are in by the first
        // tile's turn for all but a slow share.
        action.LookUpEntries = state.shakeCount == 1;
        if (state.shakeCount == inForce.FastTicksToStart) {
            // A start refused over a full-screen program uses up the lead-in as
            // a start would: a hand still moving in a game is asked about again
            // only after another whole lead-in, not on every tick.
            state.shakeCount = 0;
            if (!attention.ForegroundIsFullScreen()) {
                action.ShowOverlay = BackgroundForPattern(inForce.BackgroundPattern);
                state.scattering = true;
            }
        }
    } else {
        // Half the distance, unrounded: a distance of 5 makes 3 pixels count.
        const double half = inForce.MoveDistance / 2.0;
        if (dx <= half && dy <= half) {
            state.shakeCount = 0;
        } else if (!state.scattering) {
            state.shakeCount = 0;
        } else {
            ++state.shakeCount;
            if (state.shakeCount == inForce.FastTicksPerTile) {
                if (state.nextSlot <= LastSlot) {
                    // An empty, missing or not yet answered slot uses up its turn all the same.
                    action.Tile = PlaceTile(state.nextSlot, list[state.nextSlot], previous, pointer, lookup,
                                            monitors.DotsPerInchAt(pointer));
                    ++state.nextSlot;
                }
                state.shakeCount = 0;
            }
        }
    }

    state.lastSample = pointer;
    return action;
}

}  // namespace yomorina
