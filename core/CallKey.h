#pragma once
// The call key as the key box reports it and filelist.txt keeps it: modifier
// flags x 256 + virtual-key code, 0 for none; and the rules on which keys the
// program may take from every other: none that some program types with, none
// that is the system's, none another program holds.

#include <cstdint>

#include "core/Model.h"
#include "platform/CallKey.h"
#include "platform/KeyboardLayouts.h"

namespace yomorina {

class CallKey {
public:
    static constexpr std::uint8_t Shift = 0x01, Control = 0x02, Alt = 0x04;

    constexpr CallKey() = default;
    constexpr explicit CallKey(std::uint16_t code) : code_(code) {}
    constexpr CallKey(std::uint8_t modifiers, std::uint8_t key) : code_(static_cast<std::uint16_t>(modifiers << 8 | key)) {}

    constexpr std::uint16_t Code() const { return code_; }
    constexpr std::uint8_t Modifiers() const { return static_cast<std::uint8_t>(code_ >> 8); }
    constexpr std::uint8_t Key() const { return static_cast<std::uint8_t>(code_ & 0xFF); }
    constexpr bool Has(std::uint8_t modifier) const { return (Modifiers() & modifier) != 0; }
    // F1 to F24: no program types with one.
    constexpr bool IsFunctionKey() const { return Key() >= FirstFunctionKey && Key() <= LastFunctionKey; }

    friend constexpr bool operator==(CallKey, CallKey) = default;

    static constexpr std::uint8_t FirstFunctionKey = 0x70, LastFunctionKey = 0x87;

private:
    std::uint16_t code_ = 0;
};

// A stored number the program can take: a key code (1..255) with modifier
// flags (0..15, the fourth an extended key) above it; anything else is no key.
bool IsCallKeyCode(int value);

// What the key box makes of a combination as it is typed, so that the key
// takes nothing from the programs in front: a plain key, or Shift with one,
// gets Ctrl+Alt; a program's own shortcut typed by a slip (Ctrl or Alt alone,
// with or without Shift, on any key but a function key) gets the other, so
// that Ctrl+S is Ctrl+Alt+S. Windows reports AltGr as Ctrl+Alt, so where that
// types a character in one of the user's layouts Shift is added as well, if
// that types none.
CallKey CompletedCallKey(CallKey typed, const KeyboardLayouts& layouts);

// Why the key is not the program's to take, short of another program holding it.
CallKeyRefusal RefusalOf(CallKey key, const KeyboardLayouts& layouts);

// Takes the stored call key, or none while the options are open or where it
// is refused, and notes why it is not held.
void HoldStoredCallKey(Model& model, CallKeyHolder& holder, const KeyboardLayouts& layouts);

}  // namespace yomorina
