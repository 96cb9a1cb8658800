#pragma once
// Who made the program and where to reach them: the about box shows these
// texts and its links open exactly what they show.

#include <string_view>

namespace yomorina {

inline constexpr std::string_view AboutBoxTitle = "バージョン情報";
inline constexpr std::string_view ProductTitle = "ヨモリナ　Ver 1.1";
inline constexpr std::string_view MakerName = "ZUNO";
inline constexpr std::string_view MakerHomePage = "https://www.example.com/";
inline constexpr std::string_view MakerMailAddress = "zuno@example.com";

inline constexpr std::string_view HelpFileName = "help.html";

}  // namespace yomorina
