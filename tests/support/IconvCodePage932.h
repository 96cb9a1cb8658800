#pragma once
// Code page 932 through glibc's converter, standing in for the system's on Linux.
// Where glibc and Windows part, it does what MultiByteToWideChar and
// WideCharToMultiByte (without best fit) do: a byte sequence with no character
// reads as "・", the code page's default character; the five single bytes glibc
// refuses read as Windows reads them; a character that would only be written as
// a look-alike ("£" as "￡") has no form.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/CodePage932.h"

namespace yomorina::testing {

class IconvCodePage932 final : public CodePage932 {
public:
    // Both directions are looked up once, in tables: the fuzzer converts hundreds
    // of texts per input, and converting a character at a time through glibc is slow.
    IconvCodePage932();

    std::optional<std::string> FromUtf8(std::string_view utf8) const override;
    std::string ToUtf8(std::string_view cp932) const override;

private:
    std::vector<char16_t> singleBytes_;     // by the byte
    std::vector<char16_t> doubleBytes_;     // by lead byte × 256 + trail byte
    std::vector<std::uint16_t> encodings_;  // by character: one or two bytes, or NoEncoding
};

}  // namespace yomorina::testing
