#pragma once
// Code page 932 through glibc's converter, standing in for the system's on Linux.

#include <iconv.h>

#include "platform/CodePage.h"

namespace yomorina::testing {

class IconvCodePage932 final : public CodePage932 {
public:
    // Opening a converter costs far more than a conversion; the fuzzer converts
    // hundreds of texts per input, so each direction is opened once.
    IconvCodePage932();
    ~IconvCodePage932() override;
    IconvCodePage932(const IconvCodePage932&) = delete;
    IconvCodePage932& operator=(const IconvCodePage932&) = delete;

    std::optional<std::string> FromUtf8(std::string_view utf8) const override;
    std::string ToUtf8(std::string_view cp932) const override;

private:
    iconv_t toCp932_;
    iconv_t toUtf8_;
};

}  // namespace yomorina::testing
