#pragma once
// The one pair of conversions between our UTF-8 text and the W calls' UTF-16.

#include <string>
#include <string_view>

namespace yomorina::win32 {

std::wstring ToWide(std::string_view utf8);
std::string ToUtf8(std::wstring_view wide);

}  // namespace yomorina::win32
