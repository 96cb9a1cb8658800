#include "platform/win32/files/CodePage932.h"

#include <windows.h>

#include "platform/win32/base/WideText.h"

namespace yomorina::win32 {

constexpr UINT ShiftJis = 932;

std::optional<std::string> CodePage932::FromUtf8(std::string_view utf8) const {
    const std::wstring wide = ToWide(utf8);
    if (wide.empty()) return std::string{};
    BOOL usedDefault = FALSE;
    // No best fit: a character that only looks alike would name another file.
    const int length = WideCharToMultiByte(ShiftJis, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(ShiftJis, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), bytes.data(), length,
                        nullptr, &usedDefault);
    if (usedDefault) return std::nullopt;
    return bytes;
}

std::string CodePage932::ToUtf8(std::string_view cp932) const {
    if (cp932.empty()) return {};
    const int length = MultiByteToWideChar(ShiftJis, 0, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(ShiftJis, 0, cp932.data(), static_cast<int>(cp932.size()), wide.data(), length);
    return win32::ToUtf8(wide);
}

}  // namespace yomorina::win32
