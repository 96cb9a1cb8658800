#include "tests/support/IconvCodePage932.h"

#include <iconv.h>

#include <array>
#include <cstdlib>
#include <optional>
#include <utility>

namespace yomorina::testing {
namespace {

constexpr char16_t DefaultCharacter = u'\u30FB';  // "・"
constexpr std::uint16_t NoEncoding = 0xFFFF;
// Single bytes Windows gives a character to and glibc does not.
constexpr std::array<std::pair<unsigned char, char16_t>, 5> WindowsOnlyBytes{{
    {0x80, u'\u0080'}, {0xA0, u'\uF8F0'}, {0xFD, u'\uF8F1'}, {0xFE, u'\uF8F2'}, {0xFF, u'\uF8F3'}}};

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

void AppendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The next character of valid UTF-8 and its length; nothing for a broken or
// overlong sequence or a surrogate, which Windows would turn into U+FFFD.
std::optional<std::pair<char32_t, std::size_t>> NextCharacter(std::string_view text) {
    const auto first = static_cast<unsigned char>(text[0]);
    if (first < 0x80) return std::pair<char32_t, std::size_t>{first, 1};
    const std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 0;
    if (length == 0 || first > 0xF4 || text.size() < length) return std::nullopt;
    char32_t c = first & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (next & 0x3F);
    }
    constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < Smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return std::nullopt;
    return std::pair{c, length};
}

// What glibc makes of one character's bytes, or nothing.
std::optional<std::string> Convert(iconv_t converter, std::string input) {
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    std::string output(8, '\0');
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) {
        return std::nullopt;
    }
    output.resize(output.size() - outLeft);
    return output;
}

// The one character of a UTF-8 text glibc gave, if it is one character of the basic plane.
std::optional<char16_t> OnlyCharacter(const std::optional<std::string>& utf8) {
    if (!utf8 || utf8->empty()) return std::nullopt;
    const auto next = NextCharacter(*utf8);
    if (!next || next->second != utf8->size() || next->first > 0xFFFF) return std::nullopt;
    return static_cast<char16_t>(next->first);
}

}  // namespace

IconvCodePage932::IconvCodePage932()
    : singleBytes_(256, DefaultCharacter), doubleBytes_(256 * 256, DefaultCharacter), encodings_(0x10000, NoEncoding) {
    const iconv_t toUtf8 = iconv_open("UTF-8", "CP932");
    const iconv_t toCp932 = iconv_open("CP932", "UTF-8");
    if (toUtf8 == reinterpret_cast<iconv_t>(-1) || toCp932 == reinterpret_cast<iconv_t>(-1)) std::abort();

    for (int byte = 0; byte < 256; ++byte) {
        if (IsLeadByte(static_cast<unsigned char>(byte))) {
            for (int trail = 0; trail < 256; ++trail) {
                const std::string pair{static_cast<char>(byte), static_cast<char>(trail)};
                if (const auto c = OnlyCharacter(Convert(toUtf8, pair))) doubleBytes_[byte * 256 + trail] = *c;
            }
        } else if (const auto c = OnlyCharacter(Convert(toUtf8, std::string(1, static_cast<char>(byte))))) {
            singleBytes_[byte] = *c;
        }
    }
    singleBytes_[0] = u'\0';
    for (const auto& [byte, c] : WindowsOnlyBytes) singleBytes_[byte] = c;

    // Without best fit: only a character whose bytes read back as itself.
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000) continue;
        std::string utf8;
        AppendUtf8(utf8, c);
        const auto bytes = Convert(toCp932, utf8);
        if (!bytes || bytes->empty() || bytes->size() > 2) continue;
        const auto first = static_cast<unsigned char>((*bytes)[0]);
        if (bytes->size() == 1 && !IsLeadByte(first) && singleBytes_[first] == c) encodings_[c] = first;
        if (bytes->size() == 2 && IsLeadByte(first)) {
            const auto code = static_cast<std::uint16_t>(first * 256 + static_cast<unsigned char>((*bytes)[1]));
            if (doubleBytes_[code] == c) encodings_[c] = code;
        }
    }
    encodings_[0] = 0;
    for (const auto& [byte, c] : WindowsOnlyBytes) encodings_[c] = byte;
    iconv_close(toUtf8);
    iconv_close(toCp932);
}

std::optional<std::string> IconvCodePage932::FromUtf8(std::string_view utf8) const {
    std::string bytes;
    while (!utf8.empty()) {
        const auto next = NextCharacter(utf8);
        if (!next || next->first > 0xFFFF || encodings_[next->first] == NoEncoding) return std::nullopt;
        const std::uint16_t code = encodings_[next->first];
        if (code > 0xFF) bytes += static_cast<char>(code >> 8);
        bytes += static_cast<char>(code & 0xFF);
        utf8.remove_prefix(next->second);
    }
    return bytes;
}

std::string IconvCodePage932::ToUtf8(std::string_view cp932) const {
    // A lead byte takes the next byte, whatever it is, unless that is a NUL or there is none.
    std::string text;
    for (std::size_t at = 0; at < cp932.size(); ++at) {
        const auto byte = static_cast<unsigned char>(cp932[at]);
        if (IsLeadByte(byte) && at + 1 < cp932.size() && cp932[at + 1] != '\0') {
            AppendUtf8(text, doubleBytes_[byte * 256 + static_cast<unsigned char>(cp932[++at])]);
        } else {
            AppendUtf8(text, singleBytes_[byte]);
        }
    }
    return text;
}

}  // namespace yomorina::testing
