#pragma once

#include "platform/win32/Handles.h"

namespace yomorina::win32 {

// Held for the whole run; a second start of the program in the same session sees it.
class SingleInstance {
public:
    SingleInstance();
    bool IsFirst() const { return isFirst_; }

private:
    UniqueKernelHandle mutex_;
    bool isFirst_ = false;
};

}  // namespace yomorina::win32
