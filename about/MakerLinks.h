#pragma once
// Every text the about box shows, written once: who made the program and where
// to reach them (its links open exactly what they show), and its captions.

#include <string_view>

namespace yomorina {

inline constexpr std::string_view AboutBoxTitle = "バージョン情報";
inline constexpr std::string_view ProductTitle = "ヨモリナ　Ver 1.1";
inline constexpr std::string_view MakerName = "ZUNO";
inline constexpr std::string_view MakerHomePage = "https://www.example.com/";
inline constexpr std::string_view MakerMailAddress = "zuno@example.com";
inline constexpr std::string_view MakerCaption = "作者　：";
inline constexpr std::string_view HomePageCaption = "ホームページ　：";
inline constexpr std::string_view MailCaption = "メール　：";
inline constexpr std::string_view CloseCaption = "閉じる";
inline constexpr std::string_view HelpCaption = "ヘルプ";

inline constexpr std::string_view HelpFileName = "help.html";

}  // namespace yomorina
