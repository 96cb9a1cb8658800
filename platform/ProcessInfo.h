#pragma once

#include <string>

namespace yomorina {

class ProcessInfo {
public:
    virtual ~ProcessInfo() = default;
    // The folder of the running executable, as the system reports it (C:\ at a drive root).
    virtual std::string ExecutableFolder() const = 0;
};

}  // namespace yomorina
