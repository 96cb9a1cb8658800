#pragma once
// The keyboard layouts the user has installed, as far as the call key goes.

#include <cstdint>

namespace yomorina {

class KeyboardLayouts {
public:
    virtual ~KeyboardLayouts() = default;
    // Whether the combination (as the key box reports it) types a character, or
    // begins one as a dead key does, in any of them.
    virtual bool TypesACharacter(std::uint16_t key) const = 0;
};

}  // namespace yomorina
