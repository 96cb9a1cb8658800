#pragma once
// Who made the program and where to reach them, the same in every language:
// the about box's links open exactly what they show.

#include <string_view>

namespace yomorina {

inline constexpr std::string_view MakerName = "ZUNO";
inline constexpr std::string_view MakerHomePage = "https://www.example.com/";
inline constexpr std::string_view MakerMailAddress = "zuno@example.com";

}  // namespace yomorina
