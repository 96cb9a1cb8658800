#pragma once
// Every setting the user chooses in the options and filelist.txt keeps: one
// row each. The list file's reader and writer, the scatter's limits, the
// options' logic and their window all go through these rows, so that a new
// setting is a row here, its captions in each language and its place in the
// options window.

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/Model.h"
#include "core/Texts.h"

namespace yomorina {

// How the options show a setting: a slider with its number beside it, one
// option button for each value from Min, or the key box with its note.
enum class SettingControl { Slider, OptionGroup, KeyBox };

struct Setting {
    std::int16_t ScatterSettings::*Member;
    // In filelist.txt, counted from 0. Lines past the 64 that every copy
    // reads are written only up to the last set one (see ListFile.h).
    int Line;
    // What the control offers; a hand-edited file may hold other values.
    std::int16_t Min;
    std::int16_t Max;
    std::int16_t Default;  // a new file's
    TextId Caption;
    SettingControl Control;
    // A slider's Page Up and Page Down, and the distance between its tick marks.
    std::int16_t PageStep = 1;
    std::int16_t TickStep = 1;
};

inline constexpr std::int16_t LastBackgroundPattern = BackgroundPatternCount - 1;

inline constexpr std::array Settings{
    Setting{&ScatterSettings::MoveDistance, 0, 10, 500, 100, TextId::MoveDistanceCaption, SettingControl::Slider, 50, 100},
    Setting{&ScatterSettings::FastTicksToStart, 1, 1, 10, 5, TextId::LeadInCaption, SettingControl::Slider},
    Setting{&ScatterSettings::FastTicksPerTile, 2, 1, 10, 1, TextId::ScatterCaption, SettingControl::Slider},
    Setting{&ScatterSettings::BackgroundPattern, 63, 0, LastBackgroundPattern, 0, TextId::PatternCaption,
            SettingControl::OptionGroup},
    // No key: the key's own rule (core/CallKey.h) says which numbers are keys.
    Setting{&ScatterSettings::CallKey, 64, 0, 0, 0, TextId::CallKeyCaption, SettingControl::KeyBox},
};
inline constexpr int SettingCount = static_cast<int>(Settings.size());

// The row of the key box, which the options treat apart.
inline constexpr int CallKeySetting = [] {
    for (int i = 0; i < SettingCount; ++i) {
        if (Settings[i].Control == SettingControl::KeyBox) return i;
    }
    return -1;
}();
static_assert(CallKeySetting >= 0, "the call key has a row");

// What a new file holds, and what a value that cannot be read stays at.
inline constexpr ScatterSettings DefaultSettings = [] {
    ScatterSettings settings;
    for (const Setting& setting : Settings) settings.*setting.Member = setting.Default;
    return settings;
}();

inline constexpr bool IsInRange(const Setting& setting, int value) { return value >= setting.Min && value <= setting.Max; }

// A slider's value outside its range is held at the nearest end, by the
// slider and by the scatter alike.
std::int16_t HeldToRange(const Setting& setting, int value);

// Whether the setting may take the stored value at all: any number, but a key
// only where it is one.
bool Accepts(const Setting& setting, int value);

}  // namespace yomorina
