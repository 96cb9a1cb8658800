#include "tests/support/IconvCodePage932.h"

namespace yomorina::testing {
namespace {

const iconv_t Unopened = reinterpret_cast<iconv_t>(-1);

std::optional<std::string> Convert(iconv_t converter, std::string_view text) {
    if (converter == Unopened) return std::nullopt;
    // Back to the initial state: a failed conversion may have left it mid-character.
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
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

IconvCodePage932::IconvCodePage932()
    : toCp932_(iconv_open("CP932", "UTF-8")), toUtf8_(iconv_open("UTF-8", "CP932")) {}

IconvCodePage932::~IconvCodePage932() {
    if (toCp932_ != Unopened) iconv_close(toCp932_);
    if (toUtf8_ != Unopened) iconv_close(toUtf8_);
}

std::optional<std::string> IconvCodePage932::FromUtf8(std::string_view utf8) const {
    return Convert(toCp932_, utf8);
}

std::string IconvCodePage932::ToUtf8(std::string_view cp932) const {
    return Convert(toUtf8_, cp932).value_or(std::string{});
}

}  // namespace yomorina::testing
