#pragma once
// Code page 932 through glibc's converter, standing in for the system's on Linux.

#include "platform/CodePage.h"

namespace yomorina::testing {

class IconvCodePage932 final : public CodePage932 {
public:
    std::optional<std::string> FromUtf8(std::string_view utf8) const override;
    std::string ToUtf8(std::string_view cp932) const override;
};

}  // namespace yomorina::testing
