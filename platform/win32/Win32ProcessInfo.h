#pragma once

#include "platform/ProcessInfo.h"

namespace yomorina::win32 {

class Win32ProcessInfo final : public ProcessInfo {
public:
    std::string ExecutableFolder() const override;
};

}  // namespace yomorina::win32
