#pragma once
// Conversion between our UTF-8 text and the Japanese ANSI code page 932 that
// filelist.txt has always been written in.

#include <optional>
#include <string>
#include <string_view>

namespace yomorina {

class CodePage932 {
public:
    virtual ~CodePage932() = default;
    // Empty when some character has no code page 932 form (it would become "?").
    virtual std::optional<std::string> FromUtf8(std::string_view utf8) const = 0;
    virtual std::string ToUtf8(std::string_view cp932) const = 0;
};

}  // namespace yomorina
