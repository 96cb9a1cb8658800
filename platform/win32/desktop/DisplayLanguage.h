#pragma once

#include "platform/DisplayLanguage.h"

namespace yomorina::win32 {

// The user's display language as Windows keeps it for the whole session: the
// one its own menus and dialogs are in, whatever the region's formats.
class DisplayLanguage final : public yomorina::DisplayLanguage {
public:
    std::string Tag() const override;
};

}  // namespace yomorina::win32
