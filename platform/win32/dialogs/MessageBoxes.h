#pragma once

#include <windows.h>

#include "platform/MessageBoxes.h"

namespace yomorina::win32 {

class MessageBoxes final : public yomorina::MessageBoxes {
public:
    // owner may be null (the box then belongs to no window).
    explicit MessageBoxes(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    MessageAnswer Show(std::string_view text, std::string_view title, MessageButtons buttons) override;

private:
    HWND owner_;
};

}  // namespace yomorina::win32
