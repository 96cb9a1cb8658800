#pragma once

#include <string_view>

namespace yomorina {

// The one existence test of the program: a directory search for the path that
// admits plain files and folders. Hidden and system entries are not found, and
// wildcards match as patterns.
class DirectorySearch {
public:
    virtual ~DirectorySearch() = default;
    virtual bool FindsEntry(std::string_view path) const = 0;
};

}  // namespace yomorina
