#pragma once
// Path text rules shared by every window. Paths are UTF-8 here, so a "\" found
// is always a real separator, never the second byte of a Shift-JIS character.

#include <string>
#include <string_view>

namespace yomorina {

// folder + name, with a "\" between them unless the folder already ends in one (C:\).
std::string JoinFolderAndName(std::string_view folder, std::string_view name);

// The text after the last "\": the whole text when there is none, empty when it ends in "\".
std::string TextAfterLastBackslash(std::string_view path);

}  // namespace yomorina
