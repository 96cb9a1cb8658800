#pragma once
// What the user's keyboard layouts type, asked of each as Windows would map
// the keys pressed: AltGr is Ctrl+Alt to it.

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/KeyboardLayouts.h"

namespace yomorina::win32 {

class KeyboardLayouts final : public yomorina::KeyboardLayouts {
public:
    // The imitated keys type a character whatever the layouts say (a test's).
    explicit KeyboardLayouts(std::vector<std::uint16_t> imitated = {}) : imitated_(std::move(imitated)) {}

    bool TypesACharacter(std::uint16_t key) const override;

private:
    std::vector<std::uint16_t> imitated_;
};

}  // namespace yomorina::win32
