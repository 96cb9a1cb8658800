#pragma once
// What a drag and drop from another program delivers to a tile or the grid.

#include <string>
#include <vector>

namespace yomorina {

struct DroppedData {
    bool OffersFileList = false;     // the shell's file list (CF_HDROP) is among the formats
    std::vector<std::string> Files;  // full paths, in the order the list gives them
};

}  // namespace yomorina
