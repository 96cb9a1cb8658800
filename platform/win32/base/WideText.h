#pragma once
// The one pair of conversions between our UTF-8 text and the W calls' UTF-16.

#include <windows.h>

#include <string>
#include <string_view>

namespace yomorina::win32 {

std::wstring ToWide(std::string_view utf8);
std::string ToUtf8(std::wstring_view wide);

// The text of a call that fills a buffer and, when the buffer is too small,
// answers the size it needs, NUL included (SearchPathW, GetFullPathNameW,
// GetLongPathNameW); empty when the call fails. A few tries, in case the
// answer grows between them.
template <typename Fill>
std::wstring FilledText(Fill fill) {
    std::wstring text(MAX_PATH + 1, L'\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DWORD length = fill(text.data(), static_cast<DWORD>(text.size()));
        if (length == 0) return {};
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(length);
    }
    return {};
}

}  // namespace yomorina::win32
