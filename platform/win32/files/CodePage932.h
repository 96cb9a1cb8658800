#pragma once

#include "platform/CodePage932.h"

namespace yomorina::win32 {

class CodePage932 final : public yomorina::CodePage932 {
public:
    std::optional<std::string> FromUtf8(std::string_view utf8) const override;
    std::string ToUtf8(std::string_view cp932) const override;
};

}  // namespace yomorina::win32
