#include "core/PathText.h"

namespace yomorina {

std::string JoinFolderAndName(std::string_view folder, std::string_view name) {
    std::string joined(folder);
    if (joined.empty() || joined.back() != '\\') joined += '\\';
    joined += name;
    return joined;
}

std::string TextAfterLastBackslash(std::string_view path) {
    const auto last = path.rfind('\\');
    if (last == std::string_view::npos) return std::string(path);
    return std::string(path.substr(last + 1));
}

}  // namespace yomorina
