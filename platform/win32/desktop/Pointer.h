#pragma once

#include "platform/Pointer.h"

namespace yomorina::win32 {

class Pointer final : public yomorina::Pointer {
public:
    ScreenPoint Position() override;

private:
    ScreenPoint last_;
};

}  // namespace yomorina::win32
