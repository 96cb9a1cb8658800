#pragma once

#include "platform/DirectorySearch.h"

namespace yomorina::win32 {

class Win32DirectorySearch final : public DirectorySearch {
public:
    bool FindsEntry(std::string_view path) const override;
};

}  // namespace yomorina::win32
