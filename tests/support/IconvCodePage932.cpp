#include "tests/support/IconvCodePage932.h"

#include <iconv.h>

#include <memory>

namespace yomorina::testing {
namespace {

std::optional<std::string> Convert(const char* to, const char* from, std::string_view text) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::unique_ptr<void, int (*)(iconv_t)> closer(converter, iconv_close);
    std::string input(text);
    std::string output(input.size() * 4 + 8, '\0');
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
    output.resize(output.size() - outLeft);
    return output;
}

}  // namespace

std::optional<std::string> IconvCodePage932::FromUtf8(std::string_view utf8) const {
    return Convert("CP932", "UTF-8", utf8);
}

std::string IconvCodePage932::ToUtf8(std::string_view cp932) const {
    return Convert("UTF-8", "CP932", cp932).value_or(std::string{});
}

}  // namespace yomorina::testing
