#pragma once

#include <string_view>

namespace yomorina {

// Moves one file or folder to the recycle bin through the shell, with the
// shell's own confirmation, progress and error dialogs; never deletes for good.
class RecycleBin {
public:
    virtual ~RecycleBin() = default;
    // 0 when the shell reports success; its non-zero code otherwise (a refused
    // confirmation included).
    virtual int MoveToRecycleBin(std::string_view path) = 0;
};

}  // namespace yomorina
