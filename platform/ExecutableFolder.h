#pragma once

#include <string>

namespace yomorina {

// Where filelist.txt and help.html live: beside the program.
class ExecutableFolder {
public:
    virtual ~ExecutableFolder() = default;
    // The folder of the running executable, as the system reports it (C:\ at a drive root).
    virtual std::string Path() const = 0;
};

}  // namespace yomorina
