#pragma once

#include "platform/Pointer.h"

namespace yomorina::win32 {

class Win32Pointer final : public Pointer {
public:
    ScreenPoint Position() override;

private:
    ScreenPoint last_;
};

}  // namespace yomorina::win32
