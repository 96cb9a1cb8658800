#pragma once
// Whole-file reads and replacing writes; the list file needs nothing finer.

#include <optional>
#include <string>
#include <string_view>

namespace yomorina {

struct FileWriteOutcome {
    bool Succeeded = false;
    std::string Failure;  // the system's description, for the error message
};

class FileStore {
public:
    virtual ~FileStore() = default;
    virtual bool Exists(std::string_view path) const = 0;
    // Empty when the file cannot be opened or read.
    virtual std::optional<std::string> ReadAll(std::string_view path) const = 0;
    // Either the file holds exactly these bytes afterwards, or it is as it was.
    virtual FileWriteOutcome ReplaceWhole(std::string_view path, std::string_view bytes) = 0;
};

}  // namespace yomorina
