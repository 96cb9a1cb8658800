#pragma once
// What Windows makes of code page 932, written out: the real conversion is held
// to it under Wine and the native stand-in to the same, so the two cannot part.

#include <optional>
#include <string_view>

namespace yomorina::testing {

using namespace std::string_view_literals;

struct CodePage932Reading {
    std::string_view bytes;
    std::string_view text;
};

inline constexpr CodePage932Reading CodePage932Readings[] = {
    {"\x95\x5C\x8C\x76\x8E\x5A", "表計算"},
    {"\xB6\xC0 ABC", "ｶﾀ ABC"},
    {"\x87\x90\xED\x40\xF0\x40", "≒纊\uE000"},
    // Bytes with no character read as "・"; a lead byte takes any byte but a NUL after it.
    {"\x81\x20\x41", "・A"},
    {"\x85\x40", "・"},
    {"\x41\x81", "A・"},
    {"\x81\x00\x41"sv, "・\0A"sv},
    {"\x80\xA0\xFD\xFF", "\u0080\uF8F0\uF8F1\uF8F3"},
};

struct CodePage932Writing {
    std::string_view text;
    std::optional<std::string_view> bytes;  // none: some character has no form, or only a look-alike
};

inline constexpr CodePage932Writing CodePage932Writings[] = {
    {"表ソ", "\x95\x5C\x83\x5C"},
    {"ｶﾀｶﾅ ABC ゴミ箱", "\xB6\xC0\xB6\xC5 ABC \x83\x53\x83\x7E\x94\xA0"},
    {"≒・\uF8F0", "\x81\xE0\x81\x45\xA0"},
    {"", ""},
    {"한국어", std::nullopt},
    {"C:\\emoji😀", std::nullopt},
    {"café", std::nullopt},
    {"£", std::nullopt},
    {"¥", std::nullopt},
    {"〜", std::nullopt},
    {"—", std::nullopt},
};

}  // namespace yomorina::testing
