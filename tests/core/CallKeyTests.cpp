#include "core/CallKey.h"

#include <gtest/gtest.h>

#include "tests/support/Fakes.h"

namespace yomorina {
namespace {

constexpr int C = CallKey::Control << 8, A = CallKey::Alt << 8, S = CallKey::Shift << 8, Tab = 0x09, Esc = 0x1B,
              Space = 0x20, F1 = 0x70, F4 = 0x73, F5 = 0x74, F10 = 0x79, F24 = 0x87, Semicolon = 0xBA;

const testing::FakeKeyboardLayouts layouts({testing::GermanLayout, testing::PolishLayout});

// A plain key or Shift with one gets Ctrl+Alt, a single Ctrl or Alt on anything
// but a function key the other, and Shift as well where AltGr types a
// character with the first in either layout and none with the second.
TEST(CallKey, TypedKeysAreCompletedToNoProgramsShortcutAndNoCharacterOfAnyLayout) {
    for (const auto& [typed, kept] : std::vector<std::pair<int, int>>{
             {C | 'Y', C | A | 'Y'}, {A | 'F', C | A | 'F'}, {C | S | '1', C | A | S | '1'}, {'Y', C | A | 'Y'},
             {S | F5, C | A | S | F5}, {A | Semicolon, C | A | Semicolon}, {C | F5, C | F5}, {A | F24, A | F24},
             {C | A | 'Y', C | A | 'Y'}, {C, C}, {0, 0}, {'Q', C | A | S | 'Q'}, {A | '2', C | A | S | '2'},
             {C | 'Z', C | A | 'Z'}, {C | 'E', C | A | 'E'}, {C | A | 'Q', C | A | 'Q'}}) {  // ż Ż, € ę Ę: OK refuses
        EXPECT_EQ(CompletedCallKey(CallKey(typed), layouts).Code(), kept) << typed;
    }
}

TEST(CallKey, TheSystemsShortcutsAndCharactersOfAnyLayoutAreRefused) {
    using enum CallKeyRefusal;
    for (const auto& [key, refusal] : std::vector<std::pair<int, CallKeyRefusal>>{
             {A | F4, SystemShortcut}, {C | F4, SystemShortcut}, {A | Tab, SystemShortcut}, {A | Esc, SystemShortcut},
             {C | Esc, SystemShortcut}, {A | Space, SystemShortcut}, {S | F10, SystemShortcut},
             {C | S | Esc, SystemShortcut}, {F1, SystemShortcut}, {0x0800 | A | F4, SystemShortcut},
             {C | A | 'Q', TypesACharacter}, {C | A | 'Z', TypesACharacter}, {'2', TypesACharacter},
             {C | A | 'Y', None}, {C | A | F4, None}, {A | F5, None}, {0, None}}) {
        EXPECT_EQ(RefusalOf(CallKey(key), layouts), refusal) << key;
    }
}

}  // namespace
}  // namespace yomorina
